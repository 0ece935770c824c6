#pragma once

#include "calendar/Calendar.h"
#include "rotation/Rotation.h"
