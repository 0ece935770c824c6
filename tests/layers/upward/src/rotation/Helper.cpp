#include "Helper.h"
