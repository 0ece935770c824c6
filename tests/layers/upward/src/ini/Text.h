#pragma once

// The INI text knows nothing of files: a sideways use between the two lowest layers.
#include "files/FileName.h"
