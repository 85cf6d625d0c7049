// SPDX-License-Identifier: GPL-3.0-or-later
#include "Widgets.h"

#include <QApplication>
#include <QDateTime>

ModalAnswerer::ModalAnswerer(std::function<void(QDialog*)> act) : act_(std::move(act)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

void ModalAnswerer::poll() {
    if (last_ && last_->isVisible() && QDateTime::currentMSecsSinceEpoch() - answeredAt_ > CloseLimitMs) {
        ADD_FAILURE() << "the dialog " << last_->objectName().toStdString() << " did not close within "
                      << CloseLimitMs << " ms of its answer";
        last_->reject();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog == last_.data())
        return;
    last_ = dialog;
    answeredAt_ = QDateTime::currentMSecsSinceEpoch();
    ++count;
    act_(dialog);
}
