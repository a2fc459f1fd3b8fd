#include "runtime/places.h"

Places g_places;
