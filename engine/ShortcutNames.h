#pragma once

// Shortcut names tried before a foreign file of the wanted name is replaced.
const int MAX_NAME_ATTEMPTS = 100;

// Chooses the file for a shortcut to target that should be named link: link
// itself when it is free or already a shortcut to target; otherwise the first
// free or matching numbered name "...\App(1).lnk", "...\App(2).lnk" and on
// (the last 4 bytes of link give way to "(n)." and its last 3 bytes), the
// 100th of them being taken in any case. Logs every name found taken. 0 when
// a numbered name would not fit a path buffer (logged): no file is chosen.
int ChooseLinkPath(const char* link, const char* target, char* chosen);
