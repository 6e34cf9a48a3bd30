-- The empty Quillon database, installed as blank.qdb and copied on first start.
-- Every text column compares with QNOCASE, the program's Unicode case-folding collation, so
-- "=" and ORDER BY ignore letter case for every alphabet. Day serials (days since 1899-12-30,
-- fraction = time of day) are REAL. Names that are SQL keywords are quoted.

CREATE TABLE client (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    ledtCompanyName TEXT COLLATE QNOCASE DEFAULT '',
    memAddress TEXT COLLATE QNOCASE DEFAULT '',
    ledtPrimaryContact TEXT COLLATE QNOCASE DEFAULT '',
    ledtOffice TEXT COLLATE QNOCASE DEFAULT '',
    ledtFax TEXT COLLATE QNOCASE DEFAULT '',
    ledtEmail TEXT COLLATE QNOCASE DEFAULT '',
    ledtPosition TEXT COLLATE QNOCASE DEFAULT '',
    ledtWebsite TEXT COLLATE QNOCASE DEFAULT '',
    ledtOther1 TEXT COLLATE QNOCASE DEFAULT '',
    ledtOther2 TEXT COLLATE QNOCASE DEFAULT '',
    ledtOther3 TEXT COLLATE QNOCASE DEFAULT '',
    ledtReference TEXT COLLATE QNOCASE DEFAULT '',
    memNotes TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX client_name ON client (ledtCompanyName);

CREATE TABLE letters (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    clientid INTEGER DEFAULT 0,
    "desc" TEXT COLLATE QNOCASE DEFAULT '',
    "type" INTEGER DEFAULT 0,
    category TEXT COLLATE QNOCASE DEFAULT '',
    "date" REAL DEFAULT 0,
    source INTEGER DEFAULT 0,
    letter TEXT COLLATE QNOCASE DEFAULT '',
    "file" BLOB
);
CREATE INDEX letters_clientid ON letters (clientid);

CREATE TABLE letter_templates (id INTEGER PRIMARY KEY AUTOINCREMENT, clientid INTEGER DEFAULT 0, "desc" TEXT COLLATE QNOCASE DEFAULT '', "type" INTEGER DEFAULT 0, category TEXT COLLATE QNOCASE DEFAULT '', "date" REAL DEFAULT 0, source INTEGER DEFAULT 0, letter TEXT COLLATE QNOCASE DEFAULT '', "file" BLOB);
CREATE INDEX letter_templates_clientid ON letter_templates (clientid);

CREATE TABLE letterTypes (
    "type" INTEGER PRIMARY KEY,
    categories TEXT COLLATE QNOCASE DEFAULT ''
);
INSERT INTO letterTypes ("type", categories) VALUES
    (0, 'General' || char(13, 10) || 'Correspondence' || char(13, 10) || 'Administration'),
    (1, 'Letter' || char(13, 10) || 'Engagement letter' || char(13, 10) || 'Follow-up'
        || char(13, 10) || 'Complaint'),
    (2, 'Report' || char(13, 10) || 'Assessment' || char(13, 10) || 'Progress report'
        || char(13, 10) || 'Final report'),
    (3, 'Proposal' || char(13, 10) || 'Plan' || char(13, 10) || 'Minutes'),
    (4, 'Intake form' || char(13, 10) || 'Consent form' || char(13, 10) || 'Application'),
    (5, 'Other' || char(13, 10) || 'Miscellaneous');

CREATE TABLE notes (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    clientid INTEGER DEFAULT 0,
    "desc" TEXT COLLATE QNOCASE DEFAULT '',
    "date" REAL DEFAULT 0,
    notes TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX notes_clientid ON notes (clientid);

CREATE TABLE onotes (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    "desc" TEXT COLLATE QNOCASE DEFAULT '',
    "date" REAL DEFAULT 0,
    notes TEXT COLLATE QNOCASE DEFAULT ''
);

CREATE TABLE contacts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    client_id INTEGER DEFAULT 0,
    Firstname TEXT COLLATE QNOCASE DEFAULT '',
    Lastname TEXT COLLATE QNOCASE DEFAULT '',
    Address TEXT COLLATE QNOCASE DEFAULT '',
    DOB REAL DEFAULT 0,
    Work TEXT COLLATE QNOCASE DEFAULT '',
    Home TEXT COLLATE QNOCASE DEFAULT '',
    Mobile TEXT COLLATE QNOCASE DEFAULT '',
    Fax TEXT COLLATE QNOCASE DEFAULT '',
    Email TEXT COLLATE QNOCASE DEFAULT '',
    Notes TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX contacts_client_id ON contacts (client_id);

CREATE TABLE accounts (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    client_id INTEGER DEFAULT 0,
    tdate REAL DEFAULT 0,
    trans_ref TEXT COLLATE QNOCASE DEFAULT '',
    tdesc TEXT COLLATE QNOCASE DEFAULT '',
    ttype INTEGER DEFAULT 0,
    tvalue REAL DEFAULT 0,
    idetails TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX accounts_client_id ON accounts (client_id);
CREATE INDEX accounts_tdate ON accounts (tdate);

-- The ascending key keeps an invoice's lines in the order they were entered.
CREATE TABLE invoice_lines (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    account_id INTEGER DEFAULT 0,
    idesc TEXT COLLATE QNOCASE DEFAULT '',
    ivalue REAL DEFAULT 0
);
CREATE INDEX invoice_lines_account_id ON invoice_lines (account_id, id);

CREATE TABLE ocalendar (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    subject TEXT COLLATE QNOCASE DEFAULT '',
    client TEXT COLLATE QNOCASE DEFAULT '',
    clientid INTEGER DEFAULT 0,
    startdate REAL DEFAULT 0,
    enddate REAL DEFAULT 0,
    remindertme REAL DEFAULT 0,
    showreminder INTEGER DEFAULT 0,
    notes TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX ocalendar_startdate ON ocalendar (startdate);
CREATE INDEX ocalendar_clientid ON ocalendar (clientid);

CREATE TABLE otodo (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    "desc" TEXT COLLATE QNOCASE DEFAULT '',
    "date" REAL DEFAULT 0,
    priority TEXT COLLATE QNOCASE DEFAULT '',
    notes TEXT COLLATE QNOCASE DEFAULT '',
    completed INTEGER DEFAULT 0
);
CREATE INDEX otodo_date ON otodo ("date");

-- User names match in any letter case; passwords only exactly.
CREATE TABLE users (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    username TEXT COLLATE QNOCASE DEFAULT '',
    password TEXT DEFAULT ''
);
CREATE INDEX users_username ON users (username);

-- value has no declared type: the version is stored as a REAL, which reads back as the number
-- 1.3 and as the text "1.3".
CREATE TABLE settings (
    variable TEXT COLLATE QNOCASE DEFAULT '',
    value
);
CREATE INDEX settings_variable ON settings (variable);
INSERT INTO settings (variable, value) VALUES ('datafile_version', 1.3);

-- Kept from an earlier version; only a client's deletion touches it.
CREATE TABLE sessions (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    clientid INTEGER DEFAULT 0,
    "date" REAL DEFAULT 0,
    notes TEXT COLLATE QNOCASE DEFAULT ''
);
CREATE INDEX sessions_clientid ON sessions (clientid);
