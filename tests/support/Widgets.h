// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and answering windows as a user meets them: by object name, and modal dialogs as they
// come up.
#pragma once

#include "Printers.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

// The child of parent with this object name and type. A missing one fails the test (the throw
// ends the test body; gtest reports it).
template <class T = QWidget> T* Child(const QObject* parent, const QString& name) {
    T* child = parent ? parent->findChild<T*>(name) : nullptr;
    if (!child) {
        ADD_FAILURE() << "no child " << name.toStdString() << " of the wanted type";
        throw std::runtime_error("missing child widget " + name.toStdString());
    }
    return child;
}

// Answers every modal dialog that appears while it lives, once each, and counts them. It polls,
// so it works inside the nested loop of exec(). A dialog that is still open CloseLimitMs after it
// was answered fails the test and is closed, so that the test goes on instead of hanging.
class ModalAnswerer {
public:
    static constexpr int CloseLimitMs = 5000;

    explicit ModalAnswerer(std::function<void(QDialog*)> act);
    int count = 0;

private:
    void poll();
    std::function<void(QDialog*)> act_;
    QPointer<QDialog> last_;
    qint64 answeredAt_ = 0;
    QTimer timer_;
};
