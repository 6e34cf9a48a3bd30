#pragma once

// Base of the record objects: a row's id, 0 when fresh and -1 when cleared or not yet stored.
// Each operation runs its own statements on the shared connection (TQuery) and finishes them
// before it returns, also when it throws.
class TORecord {
public:
    TORecord() = default;
    virtual ~TORecord() = default;
    int id = 0;
};
