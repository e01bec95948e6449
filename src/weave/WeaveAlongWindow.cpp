#include "WeaveAlongWindow.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QFormLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <algorithm>
#include <limits>

#include "LoomCardStrip.h"
#include "NetTwistModel.h"
#include "document/PatternSession.h"
#include "engine/PickSummary.h"
#include "errors/ErrorReporter.h"
#include "widgets/AccessibleGrid.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

const char* const kTwistLimitKey = "weaveAlong/twistLimit";
const char* const kPedalKey = "weaveAlong/pedalKey";
constexpr int kDefaultTwistLimit = 8;

QFont Scaled(QFont font, double factor, bool bold) {
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

// A button that leaves the keyboard focus where it is when clicked, so the keys that move
// the pick keep working; it is still reached with Tab.
QPushButton* NewButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

WeaveAlongWindow::WeaveAlongWindow(PatternSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), loom_(session.Loom()), dialogs_(dialogs) {
    setObjectName("frmWeaveAlong");
    setWindowTitle(tr("Weave Along"));
    setAccessibleName(windowTitle());
    setFocusPolicy(Qt::StrongFocus);
    InstallAccessibleGrids();
    BuildControls();
    SetPedalKey(pedal_->keySequence());
    connect(&loom_, &LoomState::pickChanged, this, &WeaveAlongWindow::Refresh);
    const BandPresentation& presentation = session_.Presentation();
    connect(&presentation, &BandPresentation::instructionsChanged, this,
            &WeaveAlongWindow::Refresh);
    connect(&presentation, &BandPresentation::reverseChanged, this, &WeaveAlongWindow::Refresh);
    Refresh();
}

void WeaveAlongWindow::BuildControls() {
    pick_ = new QLabel(this);
    pick_->setObjectName("lblPick");
    pick_->setFont(Scaled(font(), 1.6, true));
    pick_->setWordWrap(true);
    turns_ = new QLabel(this);
    turns_->setObjectName("lblPickTurns");
    turns_->setFont(Scaled(font(), 1.4, true));
    turns_->setWordWrap(true);
    turns_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    strip_ = new LoomCardStrip(this);
    auto* stripView =
        new ColumnViewport("prtLoomCards", tr("Cards before the pick"), strip_, 450, this);
    twist_ = new QLabel(this);
    twist_->setObjectName("lblTwist");
    twist_->setWordWrap(true);
    message_ = new QLabel(this);
    message_->setObjectName("lblLoomMessage");
    message_->setWordWrap(true);

    previous_ = NewButton(this, "cmdPreviousPick", tr("&Previous"));
    next_ = NewButton(this, "cmdNextPick", tr("&Next"));
    goTo_ = NewButton(this, "cmdGoToPick", tr("&Go to Pick..."));
    largeButton_ = NewButton(this, "cmdLarge", tr("&Large"));
    largeButton_->setCheckable(true);
    close_ = NewButton(this, "cmdClose", tr("&Close"));

    limit_ = new QSpinBox(this);
    limit_->setObjectName("txtTwistLimit");
    limit_->setRange(1, 999);
    limit_->setValue(QSettings().value(kTwistLimitKey, kDefaultTwistLimit).toInt());
    limit_->setAccessibleName(tr("Twist limit"));
    pedal_ = new QKeySequenceEdit(QKeySequence(QSettings().value(kPedalKey).toString()), this);
    pedal_->setObjectName("txtPedalKey");
    pedal_->setAccessibleName(tr("Pedal key"));
    pedal_->setToolTip(
        tr("A key that also moves to the next pick, such as the one a foot pedal sends"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {previous_, next_, goTo_, largeButton_}) buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* settings = new QFormLayout;
    settings->addRow(tr("Twist &limit (turns):"), limit_);
    settings->addRow(tr("Pe&dal key:"), pedal_);
    auto* window = new QVBoxLayout(this);
    window->addWidget(pick_);
    window->addWidget(turns_);
    window->addWidget(stripView);
    window->addWidget(twist_);
    window->addWidget(message_);
    window->addStretch(1);
    window->addLayout(settings);
    window->addLayout(buttons);

    connect(previous_, &QPushButton::clicked, this, &WeaveAlongWindow::previousPick);
    connect(next_, &QPushButton::clicked, this, &WeaveAlongWindow::nextPick);
    connect(goTo_, &QPushButton::clicked, this, &WeaveAlongWindow::goToPick);
    connect(largeButton_, &QPushButton::toggled, this, &WeaveAlongWindow::setLarge);
    connect(close_, &QPushButton::clicked, this, [this] { emit closeRequested(); });
    connect(limit_, &QSpinBox::valueChanged, this, [this](int limit) {
        QSettings().setValue(kTwistLimitKey, limit);
        Refresh();
    });
    connect(pedal_, &QKeySequenceEdit::keySequenceChanged, this, &WeaveAlongWindow::SetPedalKey);
}

void WeaveAlongWindow::SetPedalKey(const QKeySequence& key) {
    QSettings().setValue(kPedalKey, key.toString());
    pedalKey_ = key;
}

void WeaveAlongWindow::keyPressEvent(QKeyEvent* event) {
    const QKeyCombination key = event->keyCombination();
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers() & ~Qt::KeypadModifier;
    const auto is = [&](std::initializer_list<Qt::Key> keys) {
        return modifiers == Qt::NoModifier &&
               std::find(keys.begin(), keys.end(), key.key()) != keys.end();
    };
    if (is({Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Right, Qt::Key_PageDown}) ||
        (!pedalKey_.isEmpty() && pedalKey_[0] == key))
        nextPick();
    else if (is({Qt::Key_Backspace, Qt::Key_Left, Qt::Key_PageUp}))
        previousPick();
    else if (is({Qt::Key_Home}))
        firstPick();
    else if (is({Qt::Key_End}))
        lastPick();
    else if (key == QKeyCombination(Qt::ControlModifier, Qt::Key_G))
        goToPick();
    else if (is({Qt::Key_Escape}) && large_)
        setLarge(false);
    else
        QWidget::keyPressEvent(event);
}

void WeaveAlongWindow::Say(const QString& message) {
    message_->setText(message);
    QAccessibleEvent alert(message_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void WeaveAlongWindow::nextPick() {
    Trap("frmWeaveAlong", "NextPick", [&] {
        if (loom_.Next() != LoomPosition::Move::AtEnd) return;
        if (loom_.Position().BandPicks() == 0)
            Say(tr("The band has no picks to weave."));
        else
            Say(tr("Pick %1 is the band's last: the band is woven.").arg(loom_.Pick()));
    });
}

void WeaveAlongWindow::previousPick() {
    Trap("frmWeaveAlong", "PreviousPick", [&] {
        if (loom_.Previous() == LoomPosition::Move::AtStart) Say(tr("Pick 1 is the band's first."));
    });
}

void WeaveAlongWindow::firstPick() {
    Trap("frmWeaveAlong", "FirstPick", [&] { loom_.GoTo(1); });
}

void WeaveAlongWindow::lastPick() {
    Trap("frmWeaveAlong", "LastPick",
         [&] { loom_.GoTo(std::max(loom_.Position().BandPicks(), 1)); });
}

void WeaveAlongWindow::goToPick() {
    Trap("frmWeaveAlong", "GoToPick", [&] {
        const LoomPosition& position = loom_.Position();
        const int last = position.Repeats() ? std::numeric_limits<int>::max() / 2
                                            : std::max(position.BandPicks(), 1);
        const std::optional<int> pick =
            dialogs_.AskNumber(this, tr("Go to Pick"), tr("Pick:"), loom_.Pick(), 1, last);
        if (pick) loom_.GoTo(*pick);
    });
}

void WeaveAlongWindow::Refresh() {
    Trap("frmWeaveAlong", "Refresh", [&] {
        const LoomPosition& position = loom_.Position();
        const std::int32_t pick = position.Pick();
        const std::int32_t picks = position.BandPicks();
        QString where = picks == 0      ? tr("No picks yet")
                        : pick <= picks ? tr("Pick %1 of %2").arg(pick).arg(picks)
                                        : tr("Pick %1 (the band has %2)").arg(pick).arg(picks);
        if (position.Repeats())
            where += tr(" · repeat %1, pick %2 of %3")
                         .arg(position.Repeat())
                         .arg(position.PlaceInRepeat())
                         .arg(position.RepeatLength());
        const QString turns =
            picks > 0 ? QString::fromStdString(PickSummary(session_.Presentation().Instructions(),
                                                           position.BandPick()))
                      : tr("The band has no picks to weave.");
        pick_->setText(where);
        turns_->setText(turns);
        message_->clear();

        const std::int32_t limit = limit_->value();
        const std::vector<std::int32_t>& twist = position.TwistBefore();
        std::vector<LoomCardStrip::Column> cards;
        QStringList over;
        std::int32_t most = 0;
        std::int32_t mostCard = 0;
        for (std::size_t index = 0; index < twist.size(); ++index) {
            const auto number = static_cast<std::int32_t>(index + 1);
            const Card card = position.CardBefore(number);
            LoomCardStrip::Column column{number, {}, twist[index], card.Holes()};
            const std::array<int, kMaxHoles> holes = HolesAround(card);
            for (std::size_t place = 0; place < column.places.size(); ++place)
                column.places[place] =
                    holes[place] < 0 ? Card::kNoThread : card.Color(holes[place]);
            cards.push_back(column);
            if (std::abs(twist[index]) > limit)
                over << tr("card %1 (%2)").arg(number).arg(NetTwistModel::TwistText(twist[index]));
            if (std::abs(twist[index]) > std::abs(most)) {
                most = twist[index];
                mostCard = number;
            }
        }
        strip_->SetCards(std::move(cards), limit);
        if (!over.isEmpty()) {
            twist_->setText(tr("Twist past ±%1 turns: %2").arg(limit).arg(over.join(tr(", "))));
            twist_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
        } else {
            twist_->setText(mostCard == 0 ? tr("No twist yet.")
                                          : tr("Twist within ±%1 turns (most: %2 on card %3).")
                                                .arg(limit)
                                                .arg(NetTwistModel::TwistText(most))
                                                .arg(mostCard));
            twist_->setStyleSheet({});
        }
        // a screen reader reads the pick as the window's description and hears it change
        setAccessibleDescription(where + QStringLiteral("\n") + turns);
        turns_->setAccessibleDescription(where);
    });
}

void WeaveAlongWindow::setLarge(bool large) {
    if (large_ == large) return;
    large_ = large;
    largeButton_->setChecked(large);
    const double scale = large ? 2.0 : 1.0;
    pick_->setFont(Scaled(font(), 1.6 * scale, true));
    turns_->setFont(Scaled(font(), 1.4 * scale, true));
    for (QLabel* label : {twist_, message_}) label->setFont(Scaled(font(), large ? 1.5 : 1.0, false));
    strip_->SetScale(scale);
    // high contrast: light type on black
    setAutoFillBackground(large);
    QPalette colors = QWidget().palette();
    if (large) {
        colors.setColor(QPalette::Window, Qt::black);
        colors.setColor(QPalette::WindowText, Qt::white);
    }
    setPalette(colors);
    emit largeChanged(large);
}

void WeaveAlongWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    loom_.SetFollowing(true);
    Refresh();
}

void WeaveAlongWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    loom_.SetFollowing(false);
}

}  // namespace tessaly
