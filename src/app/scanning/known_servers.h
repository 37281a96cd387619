#pragma once

class TForm1;

// Copies the Address and Port cells of the rows of LW, in list order, into
// KnownServers, which Refresh queries. The table holds 41 entries: of a
// longer list it keeps the first 41.
void rememberKnownServers(TForm1& form);
