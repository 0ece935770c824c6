#include "ini/IniText.h"
