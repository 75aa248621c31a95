// Comma fields of the action entries of the setup script and the uninstall record.
// A run of commas is one separator and commas before the first field are skipped, so no field is
// ever empty; a field cannot hold a comma; blanks belong to the field.
#pragma once

#include "win/types.h"

// The text after the commas at CURSOR (the start of the next field, or the terminating zero).
LPCSTR skipFieldSeparators(LPCSTR cursor);

// Takes the next field off *CURSOR into FIELD and moves *CURSOR past it.
// Returns the field's full length, 0 when no field is left. At most CAPACITY - 1 characters are
// copied, so a length of CAPACITY or more tells the caller that the field did not fit.
size_t nextField(LPCSTR* cursor, LPSTR field, size_t capacity);
