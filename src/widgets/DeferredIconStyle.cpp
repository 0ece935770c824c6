#include "widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace kestro {

namespace {

// An icon made by a function the first time it is drawn or measured. Sizes reach an engine in
// device pixels, so the made icon is asked at a device pixel ratio of 1.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make)
        : made_(std::make_shared<Made>(Made{std::move(make), std::nullopt})) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state).size();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // Known without making it: the style's icons are never null.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("kestro-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    struct Made {
        std::function<QIcon()> make;
        std::optional<QIcon> icon;
    };

    const QIcon& Icon() {
        if (!made_->icon)
            made_->icon = made_->make();
        return *made_->icon;
    }

    std::shared_ptr<Made> made_; // shared with the copies of the icon
};

} // namespace

void DeferredIconStyle::Install() {
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
}

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton || option != nullptr)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // Held as guarded pointers: either may be gone when the icon is first drawn.
    return QIcon(new DeferredIconEngine([base = QPointer<QStyle>(baseStyle()),
                                         widget = QPointer<QWidget>(const_cast<QWidget*>(widget))] {
        // A style put in place since has its own icons.
        const QStyle* style = base ? base.data() : QApplication::style();
        return style->standardIcon(SP_ToolBarHorizontalExtensionButton, nullptr, widget);
    }));
}

} // namespace kestro
