#pragma once

#include <QString>

// Generated clients for demonstrations, benchmarks and tests: realistic names (people and
// companies, accents, other scripts, quotes, some very long), multi-line addresses, phones,
// e-mail, web sites and notes. The same seed gives the same data.
struct SampleOptions {
    int clients = 100;
    quint32 seed = 1;
    bool documents = true; // a few letters and notes per client
};

// Adds the clients to the open shared connection in one transaction; throws TDbError.
void AddSampleData(const SampleOptions& options);
