// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page of the console: a captioned frame that its button shows and fills.

#include <QGroupBox>
#include <QStringList>

namespace ordalis {

class ConsoleActions;

class ConsolePage : public QGroupBox {
    Q_OBJECT
public:
    ConsolePage(int index, const QString& caption, ConsoleActions& actions, QWidget* parent);

    // The page is shown: it fills itself from the record's classes and topics (in record
    // order) or from the service.
    virtual void enter(const QStringList& classes, const QStringList& topics) = 0;

protected:
    ConsoleActions& m_actions;
};

} // namespace ordalis
