#include "SplashWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace tessaly {

SplashWindow::SplashWindow(bool splash, QWidget* parent)
    // a frameless dialog stays above the main window, not above other programs
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), splash_(splash) {
    setObjectName("frmSplash");
    setAccessibleName(splash ? tr("Tessaly") : tr("About Tessaly"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);

    auto* frame = new QWidget(this);
    frame->setObjectName("fraSplash");
    auto* logo = new QLabel(frame);
    logo->setObjectName("imgLogo");
    logo->setPixmap(QIcon(":/icons/logo.svg").pixmap(96, 96));

    auto label = [frame](const char* name, const QString& text, int pointSize, bool bold) {
        auto* l = new QLabel(text, frame);
        l->setObjectName(name);
        QFont font = l->font();
        font.setPointSize(pointSize);
        font.setBold(bold);
        l->setFont(font);
        return l;
    };
    auto* product = label("lblProductName", QStringLiteral("Tessaly"), 26, true);
    auto* version =
        label("lblVersion",
              tr("Version %1.%2").arg(TESSALY_VERSION_MAJOR).arg(TESSALY_VERSION_MINOR), 11, false);
    auto* presenting = label("lblCompanyProduct",
                             tr("Card weaving design: threading, band and turning"), 11, false);
    auto* company = label("lblCompany", tr("The Tessaly weavers' workshop"), 10, false);
    auto* copyright =
        label("lblCopyright", tr("Copyright \u00A9 2026 the Tessaly authors"), 9, false);

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(24);
    grid->addWidget(logo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(presenting, 2, 1);
    grid->addWidget(company, 4, 1);
    grid->addWidget(copyright, 5, 1);
    grid->setRowStretch(3, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(frame);

    // clicks on the frame, the logo and the labels reach the window, which closes
    for (QWidget* child : findChildren<QWidget*>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents);

    timer_.setObjectName("tmrSplash");
    timer_.setSingleShot(true);
    timer_.setInterval(kSplashMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &QWidget::close);
    if (splash_) timer_.start();
    resize(480, 260);
}

void SplashWindow::keyPressEvent(QKeyEvent*) { close(); }

void SplashWindow::mousePressEvent(QMouseEvent*) { close(); }

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xf6, 0xf1, 0xe4));
    painter.setPen(QPen(QColor(0x6b, 0x5a, 0x3a), 3));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

}  // namespace tessaly
