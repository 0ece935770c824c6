#pragma once

#include "colors/ColorNames.h"

#include <QString>

#include <optional>

namespace kestro {

// What the Set Color dialog shows when it opens.
struct ColorDialogRequest {
    QString normalHeading;  // over the left sample
    QString inverseHeading; // over the right sample
    QString normalCaption;  // caption of the left sample
    ColorValue normalFill = 0;
    ColorValue normalCaptionColor = 0;
    QString inverseCaption; // caption of the right sample
    ColorValue inverseFill = 0;
    ColorValue inverseCaptionColor = 0;
    QString normalListLabel;  // over the first pick list
    QString inverseListLabel; // over the second pick list
    ColorValue normalSelection = 0;
    ColorValue inverseSelection = 0;
};

struct ColorDialogResult {
    bool ok = false;
    // The selections when the dialog closed; nullopt for a list with nothing selected.
    std::optional<ColorValue> normal;
    std::optional<ColorValue> inverse;
};

} // namespace kestro
