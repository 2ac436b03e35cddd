// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusPanels.h"

#include "common/Browser.h"
#include "common/Dialogs.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "status/StartupChecks.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace ordalis {
namespace {

const QString Checking = QStringLiteral("正在检测服务器版本");
const QString NotChecked = QStringLiteral("无法检测服务器版本");

} // namespace

StatusPanels::StatusPanels(QStatusBar* bar, QLabel* classTimerLabel, ServiceEndpoints& service,
                           const ServiceConfig& config, QObject* parent)
    : QObject(parent)
    , m_bar(bar)
    , m_classTimerLabel(classTimerLabel)
    , m_service(service)
    , m_config(config)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_secondTimer(new QTimer(this)) {
    struct PanelSetup {
        QString text;
        QString toolTip;
        int minimumWidth;
        int stretch;
    };
    const std::array<PanelSetup, 5> setups{{
        {QStringLiteral("版本:") + QStringLiteral(ORDALIS_VERSION), QStringLiteral("本程序的版本"),
         90, 0},
        {QString(), QStringLiteral("双击打开更新页面"), 170, 0},
        {QStringLiteral("Ordalis 课堂点名与计分"), QString(), 120, 1},
        {QStringLiteral("双击计时"), QStringLiteral("双击开始或停止课堂计时"), 80, 0},
        {m_config.makerSite(), QStringLiteral("双击访问网站"), 120, 0},
    }};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(setups[i].text, m_bar);
        label->setObjectName(QStringLiteral("Panels_%1").arg(i + 1));
        label->setToolTip(setups[i].toolTip);
        label->setMinimumWidth(setups[i].minimumWidth);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        label->installEventFilter(this);
        m_bar->addWidget(label, setups[i].stretch);
        m_panels[i] = label;
    }
    m_panels[3]->setAlignment(Qt::AlignCenter);
    // A message takes the panels' place while it shows, and they come back after it. Qt hides
    // them itself only while the bar is shown: a message given while it was hidden (projector
    // mode, the compact form) would be drawn over them once it shows again.
    connect(m_bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        for (QLabel* panel : m_panels)
            panel->setVisible(message.isEmpty());
    });
    if (m_classTimerLabel != nullptr) {
        m_classTimerLabel->setText(QStringLiteral("00:00"));
        m_classTimerLabel->setToolTip(QStringLiteral("双击开始或停止课堂计时"));
        m_classTimerLabel->installEventFilter(this);
    }

    m_secondTimer->setObjectName(QStringLiteral("Timer2"));
    m_secondTimer->setInterval(1000);
    connect(m_secondTimer, &QTimer::timeout, this, &StatusPanels::tick);
}

void StatusPanels::start() {
    m_secondTimer->start();
}

void StatusPanels::tick() {
    const bool first = m_classTimer.tick();
    if (m_classTimer.running()) {
        m_panels[3]->setText(m_classTimer.clockText());
        if (m_classTimerLabel != nullptr)
            m_classTimerLabel->setText(m_classTimer.minuteText());
    }
    if (first) {
        checkClock();
        checkVersion();
    }
}

void StatusPanels::doubleClickPanel(int number) {
    switch (number) {
    case 2:
        browser::open(m_bar->window(), m_service.updatePage());
        break;
    case 4:
        m_classTimer.toggle();
        break;
    case 5:
        browser::open(m_bar->window(), QUrl(m_config.makerSite()));
        break;
    default:
        break;
    }
}

// Nobody waits for the two checks: the window goes on, and the answers come when they come.
void StatusPanels::checkClock() {
    m_service.serverTimeLater(this, [this](const QString& reply) {
        const std::optional<QString> warning = clockWarning(reply, m_clock());
        if (warning)
            dialogs::showMessage(m_bar->window(), QStringLiteral("时间错误"), *warning,
                                 dialogs::Icon::Warning);
    });
}

void StatusPanels::checkVersion() {
    m_panels[1]->setText(Checking);
    m_service.makerVersionLater(this, [this](const QString& reply) {
        // No version (no reply, or none of the site's) ends the check too.
        const std::optional<QString> version = offeredVersion(reply);
        m_panels[1]->setText(version ? QStringLiteral("服务器版本:") + *version : NotChecked);
    });
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_classTimerLabel) {
            doubleClickPanel(4);
            return true;
        }
        for (int i = 0; i < 5; ++i) {
            if (watched == m_panels[i]) {
                doubleClickPanel(i + 1);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ordalis
