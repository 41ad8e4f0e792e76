// Keeps a library target valid while its folder has no sources of one kind yet.
