#pragma once
// Text sizes of CSetupInfo::ReadShortcutTarget: the target path and the
// arguments are each read into SHORTCUT_FIELD_SIZE bytes, so a result buffer
// of SHORTCUT_TEXT_SIZE bytes always holds both and the blank between them.
const int SHORTCUT_FIELD_SIZE = 1024;
const int SHORTCUT_TEXT_SIZE = 2 * SHORTCUT_FIELD_SIZE;
