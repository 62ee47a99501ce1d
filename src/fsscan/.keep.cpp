// Keeps the object library non-empty while the scan has no sources of its own.
