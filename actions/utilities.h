// Small utilities that the setup program, the uninstall program and the bootstrap share.
#pragma once

#include "win/types.h"

// Korean mode: WIN.INI [intl] sLanguage is "kor" (in any case).
BOOL detectKoreanMode();

// Removes the directory PATH and then each parent level up to the first one below the drive
// root, as far as each is empty. Failures are ignored.
void removeDirectoryChain(LPCSTR path);

// Deletes the file PATH; a missing, open or protected file is left without a word.
void deleteFileQuietly(LPCSTR path);
