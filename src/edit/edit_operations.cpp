#include "edit/edit_operations.h"

// Hook: saving fills this in.

void edit_save_as_dialog() {}
