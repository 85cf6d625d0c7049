// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told about our own widgets: click labels are links or buttons with
// a press action, and pictures marked as decoration are left out (reported invisible).
#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

namespace Widgets {

// Installs the accessible interfaces of this library's widgets; once is enough, more is harmless.
void InstallAccessibleFactory();

// A picture that only decorates: screen readers skip it.
void MarkDecorative(QWidget* picture);
bool IsDecorative(const QWidget* widget);

// A label's text as it reads: without markup, mnemonic ampersands or runs of white space.
QString ReadableText(const QLabel* label);

// Gives the window the labels' texts, in this order, as its accessible description: what a
// reader says after the title when the window opens.
void DescribeWith(QWidget* window, std::initializer_list<const QLabel*> labels);

// For a window whose texts have fixed colours over the system's background: under a dark system
// palette it takes the style's standard light palette, so that those texts stay readable. Under
// a light palette it changes nothing.
void KeepLightBackground(QWidget* window);

} // namespace Widgets
