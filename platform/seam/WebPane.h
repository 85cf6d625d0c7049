// SPDX-License-Identifier: GPL-3.0-or-later
// A web pane of a window: told to load one address at a time, shown or hidden, placed vertically
// in its panel. That is all the window asks of it.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace Platform {

class WebPane {
public:
    virtual ~WebPane() = default;
    // Starts loading the address and returns at once. Only http: and https: addresses load.
    virtual void navigate(const QString& address) = 0;
    // Makes what the pane draws with, without loading anything, so that its first page changes
    // nothing in the window around it. The first navigate() does it otherwise.
    virtual void prepare() {}
    virtual bool visible() const = 0; // the pane's own Visible setting, whether or not its window shows
    virtual void setVisible(bool on) = 0;
    virtual int top() const = 0; // in its panel's coordinates
    virtual void setTop(int y) = 0;
};

// Makes the web panes: each is drawn inside a placeholder widget of the window's form.
class WebPaneFactory {
public:
    virtual ~WebPaneFactory() = default;
    virtual std::unique_ptr<WebPane> createPane(QWidget* place) = 0;
};

// A pane's placeholder widget in its window, as the window sees the pane: its Visible setting and
// its vertical place in its panel. Every pane answers these from here.
class PanePlace {
public:
    explicit PanePlace(QWidget* place) : place_(place) {}
    QWidget* widget() const { return place_; }
    bool visible() const { return place_ && !place_->isHidden(); }
    void setVisible(bool on) const;
    int top() const { return place_ ? place_->y() : 0; }
    void setTop(int y) const;

private:
    QPointer<QWidget> place_;
};

// True for an absolute http: or https: address with a host; the only addresses a pane may load.
bool IsWebAddress(const QString& address);

} // namespace Platform
