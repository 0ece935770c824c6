#pragma once

#include "app/StartupFiles.h"
#include "calendar/DateText.h"

#include <QMainWindow>

namespace kestro {

// Stands in for the main window until that exists: shows what start-up found.
class PlaceholderWindow final : public QMainWindow {
  public:
    PlaceholderWindow(const StartupState& state, const ShortDateFormat& dateFormat,
                      QWidget* parent = nullptr);
};

} // namespace kestro
