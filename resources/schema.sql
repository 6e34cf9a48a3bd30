-- Placeholder: the full schema lands with the database work.
CREATE TABLE settings (variable TEXT, value);
INSERT INTO settings (variable, value) VALUES ('datafile_version', 1.3);
