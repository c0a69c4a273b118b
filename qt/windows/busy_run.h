#pragma once

// Runs a long piece of work on a thread of its own while a small window says what is being done
// and the program's windows keep painting; returns when the work is done.

#include <QString>
#include <functional>

class QWidget;

namespace kargolo {

void RunBusy(QWidget* parent, const QString& what, const std::function<void()>& work);

}  // namespace kargolo
