// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleWidgets.h"

#include "ClickLabel.h"

#include <QAccessibleWidget>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>

namespace Widgets {

namespace {

constexpr char DecorativeProperty[] = "velmoraDecorative";

class ClickLabelAccessible final : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label) : QAccessibleWidget(label, label->accessibleRole()) {
        addControllingSignal(QStringLiteral("Click()"));
    }

    ClickLabel* label() const { return static_cast<ClickLabel*>(widget()); }

    QAccessible::Role role() const override { return label()->accessibleRole(); }

    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            text = ReadableText(label());
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::Link)
            s.linked = true;
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && label()->isEnabled())
            label()->press();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == pressAction())
            return {QStringLiteral("Return"), QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }
};

// A decorative picture: still in the tree (its parent counts it), but reported invisible, with no
// name and no actions, so that readers pass it by.
class DecorativeAccessible final : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    // Only the label classes are ours to answer. The class name comes first: the factory is asked
    // about every object, the web engine's half-made or half-destroyed ones too, which must not be
    // touched.
    if (className != QLatin1String("QLabel") && className != QLatin1String("ClickLabel"))
        return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (widget->property(DecorativeProperty).toBool())
        return new DecorativeAccessible(widget);
    if (className == QLatin1String("ClickLabel"))
        return new ClickLabelAccessible(static_cast<ClickLabel*>(widget));
    return nullptr;
}

} // namespace

QString ReadableText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text.remove(QLatin1Char('&')).simplified();
}

void DescribeWith(QWidget* window, std::initializer_list<const QLabel*> labels) {
    QStringList texts;
    for (const QLabel* label : labels)
        if (label && !label->isHidden())
            texts << ReadableText(label);
    window->setAccessibleDescription(texts.join(QLatin1Char(' ')));
}

void KeepLightBackground(QWidget* window) {
    if (window->palette().color(QPalette::Window).lightness() >= 128)
        return;
    // Set on every widget: the style sheet's polish gives each one a palette of its own.
    const QPalette light = window->style()->standardPalette();
    window->setPalette(light);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->setPalette(light);
}

void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

void MarkDecorative(QWidget* picture) {
    InstallAccessibleFactory();
    picture->setProperty(DecorativeProperty, true);
}

bool IsDecorative(const QWidget* widget) {
    return widget && widget->property(DecorativeProperty).toBool();
}

} // namespace Widgets
