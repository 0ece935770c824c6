#pragma once

#include "colors/ColorNames.h"

#include <QFont>
#include <QFrame>
#include <QString>

#include <optional>

namespace kestro {

// A beveled panel filled with one color of the settings file and captioned in another. The colors
// are turned into the desktop's colors at every paint, so system colors follow the desktop. A
// panel without a fill or a caption is only its bevels.
class Panel final : public QFrame {
public:
    // Raised: one raised bevel. DoubleLowered: lowered outside and inside. LoweredOuterRaisedInner:
    // a lowered bevel around a raised one, each one pixel wide.
    enum class Bevel { Raised, DoubleLowered, LoweredOuterRaisedInner };

    Panel(Bevel bevel, Qt::Alignment captionAlignment, QWidget* parent);

    void SetCaption(const QString& caption);
    void SetFill(ColorValue fill);
    // A caption color the user did not set gives way to the desktop's text color where it would
    // be hard to read on a fill of the desktop's (ReadableTextColor).
    void SetCaptionColor(ColorValue color, bool userSet = true);
    // The caption's own font; without one the panel's font is used. Unlike setFont it does not
    // reach the controls inside the panel.
    void SetCaptionFont(const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel bevel_;
    Qt::Alignment captionAlignment_;
    QString caption_;
    ColorValue fill_ = ColorNone;
    ColorValue captionColor_ = ColorNone;
    bool captionColorSet_ = true;
    std::optional<QFont> captionFont_;
};

} // namespace kestro
