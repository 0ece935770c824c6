#include "settings/Record.h"
