#include "PickEditor.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableView>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "document/BandPresentation.h"
#include "document/PatternSession.h"
#include "document/commands/PickCommands.h"
#include "errors/ErrorReporter.h"
#include "widgets/MenuAction.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

constexpr const char* kModule = "frmInstructions";
constexpr int kMostRepeats = 9999;

QString TurnLetter(std::int32_t turn) {
    return turn == Backward ? QStringLiteral("B") : turn == Idle ? QStringLiteral("I")
                                                                 : QStringLiteral("F");
}

// "Pick 3", "Picks 3–5".
QString RunName(std::int32_t first, std::int32_t last) {
    if (first == last) return QObject::tr("Pick %1").arg(first);
    return QObject::tr("Picks %1–%2").arg(first).arg(last);
}

// "Picks 3–5", "Pick 3", "3 Picks" (not in one run).
QString PicksName(const std::vector<std::int32_t>& picks) {
    const bool run = picks.back() - picks.front() + 1 == static_cast<std::int32_t>(picks.size());
    if (run) return RunName(picks.front(), picks.back());
    return QObject::tr("%1 Picks").arg(picks.size());
}

// With the reverse face showing, the instructions show every card mirrored and every turn
// the other way: a cell seen is the front's card from the other edge, its letter the other.
std::int32_t OtherWay(std::int32_t turn) {
    return turn == Forward ? Backward : turn == Backward ? Forward : turn;
}

// A pick as the other face shows it: the cards from the other edge, every turn the other way.
// The same change takes a pick seen on the reverse face back to the front.
void MirrorPick(PickSteps& pick) {
    std::reverse(pick.begin(), pick.end());
    for (CardStep& step : pick) step.turn = OtherWay(step.turn);
}

}  // namespace

PickEditor::PickEditor(PatternSession& session, UserDialogs& dialogs, QTableView* table)
    : QObject(table), session_(session), dialogs_(dialogs), table_(table) {
    insertAbove_ = AddAction("mnuInsertPickAbove", tr("Insert Pick Above"),
                             &PickEditor::insertPickAbove);
    insertAbove_->setShortcut(Qt::Key_Insert);
    insertBelow_ = AddAction("mnuInsertPickBelow", tr("Insert Pick Below"),
                             &PickEditor::insertPickBelow);
    AddAction("mnuDeletePicks", tr("Delete Picks"), &PickEditor::deletePicks)
        ->setShortcut(QKeySequence::Delete);
    AddAction("mnuDuplicatePicks", tr("Duplicate Picks"), &PickEditor::duplicatePicks);
    AddAction("mnuRepeatPicks", tr("Repeat…"), &PickEditor::repeatPicks);
    AddAction("mnuTurnOver", tr("Turn Over"), &PickEditor::turnOver);
    clipboardFrom_ = actions_.size();
    copy_ = AddAction("mnuCopyPicks", tr("Copy Picks"), &PickEditor::copyPicks);
    copy_->setShortcut(QKeySequence::Copy);
    AddAction("mnuCutPicks", tr("Cut Picks"), &PickEditor::cutPicks)->setShortcut(QKeySequence::Cut);
    paste_ = AddAction("mnuPastePicks", tr("Paste Picks"), &PickEditor::pastePicks);
    paste_->setShortcut(QKeySequence::Paste);

    // several cells at once: whole picks by their numbers, Shift and Ctrl to extend
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PickEditor::UpdateActions);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &PickEditor::UpdateActions);
    connect(table_->model(), &QAbstractItemModel::modelReset, this, &PickEditor::UpdateActions);
    connect(table_->model(), &QAbstractItemModel::rowsInserted, this, &PickEditor::UpdateActions);
    connect(table_->model(), &QAbstractItemModel::rowsRemoved, this, &PickEditor::UpdateActions);
    // a band drawn from a chart, or converted from one
    connect(&session_.Document(), &PatternDocument::extrasChanged, this,
            &PickEditor::UpdateActions);
    UpdateActions();
}

QAction* PickEditor::AddAction(const char* name, const QString& text, void (PickEditor::*slot)()) {
    QAction* action = NewMenuAction(this, name, text);
    // the keys act in the instructions only, not in a text box of another window
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    table_->addAction(action);
    actions_.push_back(action);
    return action;
}

std::int32_t PickEditor::PickCount() const {
    return std::max(session_.Document().CurrentBand().Count() - 1, 0);
}

std::vector<PickCell> PickEditor::SelectedCells() const {
    std::set<PickCell> cells;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
        cells.insert({index.row() + 1, index.column() + 1});
    const QModelIndex current = table_->currentIndex();
    if (cells.empty() && current.isValid()) cells.insert({current.row() + 1, current.column() + 1});
    std::vector<PickCell> inBand;
    const std::int32_t cards = session_.Document().CardCount();
    const bool reversed = session_.Presentation().IsReversed();
    for (const PickCell& cell : cells)
        if (cell.pick <= PickCount() && cell.card <= cards)
            inBand.push_back({cell.pick, reversed ? cards + 1 - cell.card : cell.card});
    std::sort(inBand.begin(), inBand.end());
    return inBand;
}

std::vector<std::int32_t> PickEditor::SelectedPicks() const {
    std::vector<std::int32_t> picks;
    for (const PickCell& cell : SelectedCells())
        if (picks.empty() || picks.back() != cell.pick) picks.push_back(cell.pick);
    return picks;
}

void PickEditor::UpdateActions() {
    const bool picks = !SelectedPicks().empty();
    // a chart band's picks follow from its chart: they are copied, never edited here
    const bool editable = !session_.Document().Extras().chart;
    for (QAction* action : actions_) action->setEnabled(picks && (editable || action == copy_));
    // a paste goes before the current pick, or on top of a band without picks
    paste_->setEnabled(editable && session_.Document().CurrentBand().Count() >= 1);
}

void PickEditor::Run(const char* procedure, const std::function<void()>& edit) {
    const QModelIndex current = table_->currentIndex();
    const QItemSelection selection = table_->selectionModel()->selection();
    Trap(kModule, procedure, edit);
    // the same cells stay selected, as far as the band still has them
    QAbstractItemModel* model = table_->model();
    if (current.isValid() && current.row() < model->rowCount() &&
        current.column() < model->columnCount()) {
        table_->selectionModel()->setCurrentIndex(model->index(current.row(), current.column()),
                                                  QItemSelectionModel::NoUpdate);
        table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    UpdateActions();
}

bool PickEditor::RunEdit(const QString& text, PicksEdit edit) {
    return session_.Run<EditPicks>(text, std::move(edit));
}

void PickEditor::setTurn(std::int32_t turn) {
    Run("SetTurn", [&] {
        const std::vector<PickCell> cells = SelectedCells();
        if (cells.empty()) return;
        // the letter pressed is the letter the cell shows
        const std::int32_t frontTurn = session_.Presentation().IsReversed() ? OtherWay(turn) : turn;
        std::vector<CellChange> changes;
        for (const PickCell& cell : cells) changes.push_back({cell, frontTurn, false});
        const QString text =
            cells.size() == 1
                ? tr("Set Pick %1 Card %2 to %3")
                      .arg(cells[0].pick)
                      .arg(cells[0].card)
                      .arg(TurnLetter(turn))
                : tr("Set %1 Cells to %2").arg(cells.size()).arg(TurnLetter(turn));
        RunEdit(text, ChangeCells(session_.Document().CurrentBand(), changes));
    });
}

void PickEditor::cycleTurn() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || current.row() + 1 > PickCount()) return;
    const bool reversed = session_.Presentation().IsReversed();
    const std::int32_t cards = session_.Document().CardCount();
    if (current.column() + 1 > cards) return;
    const PickCell cell{current.row() + 1,
                        reversed ? cards - current.column() : current.column() + 1};
    // the next letter after the one the cell shows
    const std::int32_t front =
        session_.Document().CurrentBand().At(cell.pick + 1).Cards().At(cell.card).Turn();
    const std::int32_t shown = reversed ? OtherWay(front) : front;
    const std::int32_t next = shown == Forward ? Backward : shown == Backward ? Idle : Forward;
    Run("CycleTurn", [&] {
        RunEdit(tr("Set Pick %1 Card %2 to %3")
                    .arg(cell.pick)
                    .arg(current.column() + 1)
                    .arg(TurnLetter(next)),
                ChangeCells(session_.Document().CurrentBand(),
                            {{cell, reversed ? OtherWay(next) : next, false}}));
    });
}

void PickEditor::toggleFlip() {
    Run("ToggleFlip", [&] {
        const std::vector<PickCell> cells = SelectedCells();
        if (cells.empty()) return;
        std::vector<CellChange> changes;
        for (const PickCell& cell : cells) changes.push_back({cell, std::nullopt, true});
        const QString text = cells.size() == 1
                                 ? tr("Flip Pick %1 Card %2").arg(cells[0].pick).arg(cells[0].card)
                                 : tr("Flip %1 Cells").arg(cells.size());
        RunEdit(text, ChangeCells(session_.Document().CurrentBand(), changes));
    });
}

void PickEditor::insertPickAbove() {
    Run("InsertPickAbove", [&] {
        const std::vector<std::int32_t> picks = SelectedPicks();
        if (picks.empty()) return;
        const Band& band = session_.Document().CurrentBand();
        const std::int32_t pick = picks.front();
        RunEdit(tr("Insert Pick %1").arg(pick), InsertPicks(band, pick, CopyPicks(band, pick, pick)));
    });
}

void PickEditor::insertPickBelow() {
    Run("InsertPickBelow", [&] {
        const std::vector<std::int32_t> picks = SelectedPicks();
        if (picks.empty()) return;
        const Band& band = session_.Document().CurrentBand();
        const std::int32_t pick = picks.back();
        RunEdit(tr("Insert Pick %1").arg(pick + 1),
                InsertPicks(band, pick + 1, CopyPicks(band, pick, pick)));
    });
}

void PickEditor::deletePicks() {
    Run("DeletePicks", [&] {
        const std::vector<std::int32_t> picks = SelectedPicks();
        if (picks.empty()) return;
        RunEdit(tr("Delete %1").arg(PicksName(picks)),
                DeletePicks(session_.Document().CurrentBand(), picks));
    });
}

void PickEditor::duplicatePicks() {
    Run("DuplicatePicks", [&] {
        const std::vector<std::int32_t> picks = SelectedPicks();
        if (picks.empty()) return;
        RunEdit(tr("Duplicate %1").arg(PicksName(picks)),
                RepeatPicks(session_.Document().CurrentBand(), picks.front(), picks.back(), 1));
    });
}

void PickEditor::repeatPicks() {
    Run("RepeatPicks", [&] {
        const std::vector<std::int32_t> picks = SelectedPicks();
        if (picks.empty()) return;
        const QString name = RunName(picks.front(), picks.back());
        const std::optional<int> times =
            dialogs_.AskNumber(table_->window(), tr("Repeat"),
                               tr("Weave %1 again how many more times?").arg(name), 1, 1,
                               kMostRepeats);
        if (!times) return;
        RunEdit(tr("Repeat %1").arg(name),
                RepeatPicks(session_.Document().CurrentBand(), picks.front(), picks.back(), *times));
    });
}

void PickEditor::turnOver() {
    Run("TurnOver", [&] {
        const std::vector<PickCell> cells = SelectedCells();
        if (cells.empty()) return;
        RunEdit(tr("Turn Over %1").arg(PicksName(SelectedPicks())),
                TurnOverCells(session_.Document().CurrentBand(), cells));
    });
}

QString PickEditor::PicksAsText(const Band& band, const std::vector<std::int32_t>& picks,
                                bool reverseFace) {
    QString text;
    for (const std::int32_t pick : picks) {
        if (pick < 1 || pick + 1 > band.Count()) continue;
        text += QString::number(pick);
        PickSteps steps = StepsBetween(band.At(pick).Cards(), band.At(pick + 1).Cards());
        if (reverseFace) MirrorPick(steps);
        for (const CardStep& step : steps)
            text += ',' + TurnLetter(step.turn) + (step.flip ? QStringLiteral(" *") : QString());
        text += '\n';
    }
    return text;
}

std::optional<std::vector<PickSteps>> PickEditor::PicksFromText(const QString& text,
                                                                const Cards& packs,
                                                                QString* problem) {
    static const QRegularExpression kCell(QStringLiteral("^\\s*([FBIfbi])\\s*(\\*?)\\s*$"));
    std::vector<PickSteps> picks;
    int lineNumber = 0;
    const auto fail = [&](const QString& why) -> std::optional<std::vector<PickSteps>> {
        if (problem != nullptr) *problem = tr("Line %1: %2").arg(lineNumber).arg(why);
        return std::nullopt;
    };
    for (QString line : text.split('\n')) {
        ++lineNumber;
        line.remove('\r');
        if (line.trimmed().isEmpty()) continue;
        // a spreadsheet hands its cells back separated by tabs
        QStringList fields = line.split(line.contains('\t') ? '\t' : ',');
        bool numbered = false;
        const int number = fields.front().trimmed().toInt(&numbered);
        // the instructions' CSV opens with a header of card numbers and the threading's line
        // (pick 0), which are no picks
        if (fields.front().trimmed().compare(QStringLiteral("Pick"), Qt::CaseInsensitive) == 0 ||
            (numbered && number == 0))
            continue;
        if (numbered || fields.front().trimmed().isEmpty()) fields.removeFirst();
        if (fields.size() != packs.Count())
            return fail(tr("%1 cells, but the band has %2 cards").arg(fields.size()).arg(packs.Count()));
        PickSteps pick;
        auto card = packs.begin();
        for (const QString& field : fields) {
            const QRegularExpressionMatch match = kCell.match(field);
            if (!match.hasMatch())
                return fail(tr("'%1' is not F, B or I (with * for a flip)").arg(field.trimmed()));
            const QChar letter = match.captured(1).at(0).toUpper();
            pick.push_back({letter == 'B'   ? Backward
                            : letter == 'I' ? Idle
                                            : Forward,
                            !match.captured(2).isEmpty(), card->Pack()});
            ++card;
        }
        picks.push_back(std::move(pick));
    }
    if (picks.empty()) return fail(tr("no picks"));
    return picks;
}

void PickEditor::copyPicks() {
    const std::vector<std::int32_t> picks = SelectedPicks();
    if (picks.empty()) return;
    // the picks as the instructions show them, whichever face that is: card order and letters
    QGuiApplication::clipboard()->setText(
        PicksAsText(session_.Document().CurrentBand(), picks, session_.Presentation().IsReversed()));
}

void PickEditor::cutPicks() {
    const std::vector<std::int32_t> picks = SelectedPicks();
    if (picks.empty()) return;
    copyPicks();
    Run("CutPicks", [&] {
        RunEdit(tr("Cut %1").arg(PicksName(picks)),
                DeletePicks(session_.Document().CurrentBand(), picks));
    });
}

void PickEditor::pastePicks() {
    Run("PastePicks", [&] {
        const Band& band = session_.Document().CurrentBand();
        if (band.Count() < 1) return;
        const std::vector<std::int32_t> picks = SelectedPicks();
        // before the first pick selected, or on top of the band
        const std::int32_t at = picks.empty() ? band.Count() : picks.front();
        QString problem;
        auto pasted =
            PicksFromText(QGuiApplication::clipboard()->text(), band.At(at).Cards(), &problem);
        // picks read off the reverse face are turned to the front
        if (pasted && session_.Presentation().IsReversed())
            for (PickSteps& pick : *pasted) {
                MirrorPick(pick);
                auto card = band.At(at).Cards().begin();
                for (CardStep& step : pick) step.pack = (card++)->Pack();
            }
        if (!pasted) {
            dialogs_.ShowMessage(table_->window(), tr("Paste Picks"),
                                 tr("The clipboard holds no picks of this band. %1").arg(problem),
                                 UserDialogs::Icon::Information);
            return;
        }
        RunEdit(tr("Paste %1").arg(RunName(at, at + static_cast<std::int32_t>(pasted->size()) - 1)),
                InsertPicks(band, at, *pasted));
    });
}

bool PickEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        switch (key->key()) {
            case Qt::Key_F:
                setTurn(Forward);
                return true;
            case Qt::Key_B:
                setTurn(Backward);
                return true;
            case Qt::Key_I:
                setTurn(Idle);
                return true;
            case Qt::Key_Space:
                cycleTurn();
                return true;
            case Qt::Key_Asterisk:
                toggleFlip();
                return true;
            // the entries' own keys, for a window that is not the active one (a shortcut
            // that fires never lets the key reach the table)
            case Qt::Key_Insert:
                insertPickAbove();
                return true;
            case Qt::Key_Delete:
                deletePicks();
                return true;
            default:
                return false;
        }
    }
    if (watched == table_->viewport()) {
        const bool press = event->type() == QEvent::MouseButtonPress;
        const bool release = event->type() == QEvent::MouseButtonRelease;
        if (!press && !release) return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        const QModelIndex index = table_->indexAt(mouse->position().toPoint());
        if (!index.isValid()) return false;
        const std::pair<int, int> cell{index.row(), index.column()};
        // Shift+click flips the card at that pick, and selects nothing more
        if (mouse->modifiers() == Qt::ShiftModifier) {
            if (release) {
                table_->selectionModel()->setCurrentIndex(index,
                                                          QItemSelectionModel::ClearAndSelect);
                toggleFlip();
            }
            return true;
        }
        if (mouse->modifiers() != Qt::NoModifier) return false;
        // a plain click on a cell, pressed and let go there, sets it to the next turn
        if (press) pressed_ = cell;
        if (release && pressed_ == cell) {
            pressed_.reset();
            cycleTurn();
        }
        return false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaly
