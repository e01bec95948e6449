#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeySequence>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <functional>

#include "Autosave.h"
#include "FileCommands.h"
#include "PrintCommands.h"
#include "SavedLayout.h"
#include "ShortcutsWindow.h"
#include "SplashWindow.h"
#include "WindowPlaces.h"
#include "design/CardEditor.h"
#include "design/ChartWindow.h"
#include "design/DesignWindow.h"
#include "design/NotesWindow.h"
#include "design/YarnWindow.h"
#include "display/DisplayWindow.h"
#include "document/PatternSession.h"
#include "document/commands/BandCommands.h"
#include "document/commands/ChartCommands.h"
#include "document/commands/ViewCommands.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "patternfile/PatternFile.h"
#include "weave/InstructionsWindow.h"
#include "weave/PickEditor.h"
#include "weave/WeaveAlongWindow.h"
#include "weave/WeaveWindow.h"
#include "widgets/BusyCursor.h"
#include "widgets/FormTwips.h"
#include "widgets/GrowToLayout.h"
#include "widgets/MenuAction.h"
#include "widgets/UserDialogs.h"

namespace tessaly {

namespace {

// A child window that hides when closed: its contents live as long as the program. It says
// when it is shown or hidden, for the Window menu's check marks.
class ChildWindow : public QMdiSubWindow {
  public:
    using QMdiSubWindow::QMdiSubWindow;
    void OnVisibilityChanged(std::function<void()> changed) {
        visibilityChanged_ = std::move(changed);
    }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        hide();
    }
    void showEvent(QShowEvent* event) override {
        QMdiSubWindow::showEvent(event);
        if (visibilityChanged_) visibilityChanged_();
    }
    void hideEvent(QHideEvent* event) override {
        QMdiSubWindow::hideEvent(event);
        if (visibilityChanged_) visibilityChanged_();
    }

  private:
    std::function<void()> visibilityChanged_;
};

QMdiSubWindow* AddChild(QMdiArea* area, QWidget* content) {
    auto* sub = new ChildWindow(area);
    sub->setWidget(content);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowIcon(QIcon(":/icons/logo.svg"));
    area->addSubWindow(sub);
    return sub;
}

}  // namespace

MainWindow::MainWindow(PatternSession& session, UserDialogs& dialogs, QString programFolder,
                       QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      document_(session.Document()),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)) {
    setObjectName("frmMain");
    setAcceptDrops(true);
    UpdateCaption();
    connect(&document_, &PatternDocument::patternPathChanged, this, &MainWindow::UpdateCaption);
    connect(&session_.History(), &History::changedChanged, this, &MainWindow::UpdateCaption);
    // paint not yet applied is unsaved work too
    for (auto changed : {&PatternDocument::threadingChanged, &PatternDocument::bandReplaced,
                         &PatternDocument::bandRecoloured})
        connect(&document_, changed, this, &MainWindow::UpdateCaption);
    setWindowIcon(QIcon(":/icons/logo.svg"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setBackground(QColor(0x8a, 0x8f, 0x98));
    // a child placed outside the work area can always be scrolled to
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    print_ = new PrintCommands(session_, dialogs_, this);
    files_ = new FileCommands(session_, dialogs_, programFolder_, this);
    autosave_ = new Autosave(
        session_, [this] { return CurrentWindowValues(); }, RecoveryCopy::DefaultFolder(), this);
    // a file that fails to open, or a printout that crashes, loses nothing typed since
    files_->SetBeforeOpening([this] { autosave_->WriteNow(true); });
    files_->SetWindowPlacing({[this] { return CurrentWindowValues(); },
                              [this](const WindowValues& values) { ApplyStoredPlaces(values); }});

    BuildMenus();
    BuildToolbar();

    // the design window first: the others take their places from it
    design_ = new DesignWindow(session_, dialogs_);
    design_->SetSaveHandler([this] { return files_->Save(); });
    designSub_ = AddChild(mdi_, design_);
    designSub_->setGeometry(0, 0, TwipsToPixels(form_twips::kDesignOuterWidth),
                            TwipsToPixels(form_twips::kDesignOuterHeight));

    display_ = new DisplayWindow(session_);
    displaySub_ = AddChild(mdi_, display_);
    displaySub_->setGeometry(designSub_->width(), 0, TwipsToPixels(form_twips::kDisplayWidth),
                             TwipsToPixels(form_twips::kDisplayHeight));

    weave_ = new WeaveWindow(session_);
    weaveSub_ = AddChild(mdi_, weave_);
    weaveSub_->setGeometry(0, designSub_->height(), designSub_->width(),
                           weave_->height() + (designSub_->height() - design_->height()));

    instructions_ = new InstructionsWindow(session_, dialogs_);
    instructionsSub_ = AddChild(mdi_, instructions_);
    instructionsSub_->resize(instructions_->size() + QSize(12, 36));
    instructionsSub_->move(TwipsToPixels(form_twips::kDisplayWidth) + 8, 0);
    connect(instructions_, &InstructionsWindow::closeRequested, instructionsSub_, &QWidget::hide);

    weaveAlong_ = new WeaveAlongWindow(session_, dialogs_);
    weaveAlongSub_ = AddChild(mdi_, weaveAlong_);
    weaveAlongSub_->resize(
        weaveAlong_->sizeHint().expandedTo(QSize(TwipsToPixels(form_twips::kDisplayWidth), 0)) +
        QSize(12, 36));
    connect(weaveAlong_, &WeaveAlongWindow::closeRequested, weaveAlongSub_, &QWidget::hide);
    connect(weaveAlong_, &WeaveAlongWindow::largeChanged, this, &MainWindow::ShowWeaveAlongLarge);

    notes_ = new NotesWindow(session_);
    notesSub_ = AddChild(mdi_, notes_);
    notesSub_->resize(notes_->size() + QSize(12, 36));
    yarn_ = new YarnWindow(session_, dialogs_);
    yarnSub_ = AddChild(mdi_, yarn_);
    yarnSub_->resize(yarn_->size() + QSize(12, 36));
    chart_ = new ChartWindow(session_);
    chartSub_ = AddChild(mdi_, chart_);
    chartSub_->resize(chart_->size() + QSize(12, 36));
    // a band drawn from a chart brings its chart forward when it opens, once the file's window
    // places are applied (they raise the windows they place)
    connect(&session_.Document(), &PatternDocument::patternLoaded, this, [this] {
        if (session_.Document().Extras().chart)
            QTimer::singleShot(0, this, [this] {
                if (session_.Document().Extras().chart) showChart();
            });
    });

    BuildPatternMenu();
    BuildWindowMenu();
    designSub_->show();
    displaySub_->show();
    weaveSub_->show();
    instructionsSub_->hide();  // loaded, so the band can write into its grid, but not shown
    weaveAlongSub_->hide();
    notesSub_->hide();
    yarnSub_->hide();
    chartSub_->hide();
    resize(TwipsToPixels(form_twips::kMainWidth), TwipsToPixels(form_twips::kMainHeight));
}

void MainWindow::BuildMenus() {
    BuildFileMenu();
    BuildEditMenu();
    BuildViewMenu();
    helpMenu_ = menuBar()->addMenu(tr("&Help"));
    helpMenu_->setObjectName("mnuHelp");
    QAction* readme = NewMenuAction(this, "mnuDisplayHelp", tr("&Help"));
    connect(readme, &QAction::triggered, this, &MainWindow::showHelp);
    readme->setShortcut(QKeySequence::HelpContents);
    // read from the menus when asked, so it lists every command's keys as they are then
    QAction* keys = NewMenuAction(this, "mnuShortcuts", tr("&Keyboard Shortcuts"));
    connect(keys, &QAction::triggered, this, [this] {
        auto* list = new ShortcutsWindow(*menuBar(), this);
        list->setAttribute(Qt::WA_DeleteOnClose);
        list->show();
    });
    QAction* about = NewMenuAction(this, "mnuAbout", tr("&About"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    helpMenu_->addActions({readme, keys, about});
}

void MainWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("mnuFile");
    file->addActions({files_->NewAction(), files_->OpenAction()});
    file->addMenu(files_->RecentMenu());
    file->addActions({files_->SaveAction(), files_->SaveAsAction()});
    file->addSeparator()->setObjectName("mnuDash0");
    QAction* print = nullptr;
    QAction* preview = nullptr;
    for (auto [name, text, icon, tip, handler] :
         {std::tuple{"mnuPrint", tr("&Print..."), "print", tr("Print Pattern"),
                     &MainWindow::printPattern},
          std::tuple{"mnuPreview", tr("Print Pre&view"), "preview", tr("Preview Printed Pattern"),
                     &MainWindow::previewPattern},
          std::tuple{"mnuExportPdf", tr("Export as P&DF..."), static_cast<const char*>(nullptr),
                     QString(), &MainWindow::exportPdf},
          std::tuple{"mnuExportPicture", tr("Export Pic&ture..."),
                     static_cast<const char*>(nullptr), QString(), &MainWindow::exportPicture}}) {
        QAction* action = NewMenuAction(this, name, text, icon, tip);
        connect(action, &QAction::triggered, this, handler);
        file->addAction(action);
        if (handler == &MainWindow::printPattern) print = action;
        if (handler == &MainWindow::previewPattern) preview = action;
    }
    file->addAction(files_->ExportAsAction());
    file->addMenu(print_->OptionsMenu());
    print->setShortcut(QKeySequence::Print);
    toolbarActions_ = {files_->NewAction(), files_->OpenAction(), files_->SaveAction(), print,
                       preview};
    file->addSeparator()->setObjectName("mnuDash1");
    QAction* exit = NewMenuAction(this, "mnuExit", tr("E&xit"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);
    file->addAction(exit);
}

void MainWindow::BuildEditMenu() {
    // undo and redo name the step they take back or make again ("Undo Weave pick 37")
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("mnuEdit");
    undo_ = NewMenuAction(this, "mnuUndo", tr("Undo"));
    QAction* undo = undo_;
    connect(undo, &QAction::triggered, &session_.History(), &History::Undo);
    undo->setShortcut(QKeySequence::Undo);
    undo->setIcon(QIcon(":/icons/undo.svg"));
    redo_ = NewMenuAction(this, "mnuRedo", tr("Redo"));
    QAction* redo = redo_;
    connect(redo, &QAction::triggered, &session_.History(), &History::Redo);
    // each names the step it takes back or makes again, and is off when there is none
    const auto nameSteps = [this, undo, redo] {
        const History& history = session_.History();
        const auto named = [](const QString& verb, const QString& step) {
            return step.isEmpty() ? verb : verb + ' ' + step;
        };
        undo->setText(named(tr("Undo"), history.UndoText()));
        undo->setEnabled(history.CanUndo());
        redo->setText(named(tr("Redo"), history.RedoText()));
        redo->setEnabled(history.CanRedo());
    };
    connect(&session_.History(), &History::stepsChanged, this, nameSteps);
    nameSteps();
    // the platform's key (Ctrl+Shift+Z on most Linux desktops), and Ctrl+Y everywhere
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
    if (!redoKeys.contains(ctrlY)) redoKeys.append(ctrlY);
    redo->setShortcuts(redoKeys);
    redo->setIcon(QIcon(":/icons/redo.svg"));
    edit->addActions({undo, redo});
}

void MainWindow::BuildViewMenu() {
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("mnuView");
    QAction* design = NewMenuAction(this, "mnuDesign", tr("&Design"));
    connect(design, &QAction::triggered, this, &MainWindow::showDesign);
    QAction* weave = NewMenuAction(this, "mnuWeave", tr("&Weave"));
    connect(weave, &QAction::triggered, this, &MainWindow::showWeave);
    QAction* display = NewMenuAction(this, "mnuDisplay", tr("Dis&play"));
    connect(display, &QAction::triggered, this, &MainWindow::showDisplay);
    QAction* instructions = NewMenuAction(this, "mnuInstructions", tr("&Instructions"));
    connect(instructions, &QAction::triggered, this, &MainWindow::showInstructions);
    reverse_ = NewMenuAction(this, "mnuReverse", tr("&Reverse"), "reverse",
                             tr("Display the reverse pattern"));
    QAction* reverse = reverse_;
    toolbarActions_.push_back(reverse);
    reverse->setCheckable(true);
    // the menu shows a check mark, the toolbar a pressed button
    reverse->setIconVisibleInMenu(false);
    // toggled, not triggered: a check set by an assistive tool turns the face as a click does;
    // the document's own echo finds the face already shown
    connect(reverse, &QAction::toggled, this, [this](bool reversed) {
        if (reversed != session_.Presentation().IsReversed()) reverseFace();
    });
    // the document knows which face shows; Open turns the band back to its front
    connect(&session_.Presentation(), &BandPresentation::reverseChanged, reverse, &QAction::setChecked);
    // every pick of a long band in view, instead of the display's fixed canvas
    QAction* whole = NewMenuAction(this, "mnuWholeBand", tr("W&hole Band"));
    whole->setCheckable(true);
    connect(whole, &QAction::toggled, this, [this](bool on) {
        Trap("frmMain", "mnuWholeBand_Click", [&] { display_->SetWholeBand(on); });
    });
    view->addActions({design, weave, display, instructions, reverse, whole});
    // the band display's zoom, as an image viewer's
    view->addSeparator();
    using Keys = QList<QKeySequence>;
    for (auto [name, text, keys, zoom] :
         {std::tuple{
              "mnuZoomIn", tr("Zoom &In"),
              Keys{QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
              &DisplayWindow::ZoomInStep},
          std::tuple{"mnuZoomOut", tr("Zoom &Out"), Keys{QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                     &DisplayWindow::ZoomOutStep},
          std::tuple{"mnuActualSize", tr("&Actual Size (1:1)"),
                     Keys{QKeySequence(Qt::CTRL | Qt::Key_0)}, &DisplayWindow::ZoomActualSize},
          std::tuple{"mnuFitWidth", tr("Fit &Width"), Keys{}, &DisplayWindow::FitWidth},
          std::tuple{"mnuFitBand", tr("Fit &Band"), Keys{}, &DisplayWindow::FitBand}}) {
        QAction* action = NewMenuAction(this, name, text);
        action->setShortcuts(keys);
        // the display zooms wherever the keyboard is; a closed display opens first
        connect(action, &QAction::triggered, this, [this, zoom = zoom] {
            if (displaySub_->isHidden()) ShowChild(displaySub_, {});
            (display_->*zoom)();
        });
        view->addAction(action);
    }
}

void MainWindow::BuildPatternMenu() {
    // the edits of the band's picks, on the picks selected in the turning instructions
    auto* pattern = new QMenu(tr("&Pattern"), this);
    pattern->setObjectName("mnuPattern");
    menuBar()->insertMenu(helpMenu_->menuAction(), pattern);
    for (QAction* action : instructions_->Editor()->EditActions()) pattern->addAction(action);
    pattern->addSeparator();
    for (QAction* action : instructions_->Editor()->ClipboardActions())
        pattern->addAction(action);
    // and of the cards chosen by their numbers in the draft
    pattern->addSeparator();
    for (QAction* action : design_->CardEditing()->Actions()) pattern->addAction(action);
    // and of the palette's colour chosen in the design window
    QMenu* palette = pattern->addMenu(tr("Pa&lette"));
    palette->setObjectName("mnuPalette");
    palette->addActions(design_->PaletteActions());
    // a band drawn from a chart becomes one its instructions edit
    pattern->addSeparator();
    QAction* convert = NewMenuAction(this, "mnuConvertToThreadedIn", tr("Con&vert to Threaded-in"));
    convert->setEnabled(false);
    connect(convert, &QAction::triggered, this, [this] {
        Trap("frmMain", "mnuConvertToThreadedIn_Click",
             [&] { session_.Run<ConvertToThreadedIn>(); });
    });
    const auto follow = [this, convert] {
        convert->setEnabled(session_.Document().Extras().chart.has_value());
    };
    connect(&session_.Document(), &PatternDocument::extrasChanged, convert, follow);
    connect(&session_.Document(), &PatternDocument::patternLoaded, convert, follow);
    follow();
    pattern->addAction(convert);
}

void MainWindow::BuildWindowMenu() {
    auto* window = new QMenu(tr("&Window"), this);
    window->setObjectName("mnuWindow");
    menuBar()->insertMenu(helpMenu_->menuAction(), window);
    QAction* tile = NewMenuAction(this, "mnuTile", tr("&Tile"));
    connect(tile, &QAction::triggered, mdi_, &QMdiArea::tileSubWindows);
    QAction* cascade = NewMenuAction(this, "mnuCascade", tr("&Cascade"));
    connect(cascade, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);
    window->addActions({tile, cascade});
    window->addSeparator();
    // each window by name, checked while it is shown; choosing one shows it and brings it
    // forward as the View menu does, also when it shows already: a menu entry never hides
    // a window (its own close button does)
    const std::tuple<const char*, QString, QMdiSubWindow*, void (MainWindow::*)(), QKeySequence>
        windows[] = {{"mnuWindowDesign", tr("Threading &Design"), designSub_,
                      &MainWindow::showDesign, QKeySequence(Qt::CTRL | Qt::Key_1)},
                     {"mnuWindowDisplay", tr("Display &Band"), displaySub_,
                      &MainWindow::showDisplay, QKeySequence(Qt::CTRL | Qt::Key_2)},
                     {"mnuWindowWeave", tr("&Weave Instructions"), weaveSub_,
                      &MainWindow::showWeave, QKeySequence(Qt::CTRL | Qt::Key_3)},
                     {"mnuWindowInstructions", tr("Turning &Instructions"), instructionsSub_,
                      &MainWindow::showInstructions, QKeySequence(Qt::CTRL | Qt::Key_4)},
                     {"mnuWindowWeaveAlong", tr("Weave &Along"), weaveAlongSub_,
                      &MainWindow::showWeaveAlong, QKeySequence(Qt::CTRL | Qt::Key_L)},
                     {"mnuWindowNotes", tr("&Notes"), notesSub_, &MainWindow::showNotes,
                      QKeySequence(Qt::CTRL | Qt::Key_5)},
                     {"mnuWindowYarn", tr("&Yarn"), yarnSub_, &MainWindow::showYarn,
                      QKeySequence(Qt::CTRL | Qt::Key_6)},
                     {"mnuWindowChart", tr("C&hart"), chartSub_, &MainWindow::showChart,
                      QKeySequence(Qt::CTRL | Qt::Key_7)}};
    for (const auto& [name, text, sub, show, keys] : windows) {
        QAction* entry = NewMenuAction(this, name, text);
        entry->setCheckable(true);
        entry->setShortcut(keys);
        connect(entry, &QAction::toggled, this, [this, entry, sub = sub, show = show](bool on) {
            if (on == !sub->isHidden()) return;  // the echo of the window's own change
            (this->*show)();
            entry->setChecked(!sub->isHidden());
        });
        static_cast<ChildWindow*>(sub)->OnVisibilityChanged(
            [entry, sub = sub] { entry->setChecked(!sub->isHidden()); });
        window->addAction(entry);
        cycleOrder_.push_back(sub);
    }
    // Ctrl+Tab and Ctrl+Shift+Tab go round the windows shown, in the menu's order
    window->addSeparator();
    QAction* next = NewMenuAction(this, "mnuNextWindow", tr("Ne&xt Window"));
    next->setShortcuts(QKeySequence::NextChild);
    connect(next, &QAction::triggered, this, [this] { CycleWindows(1); });
    QAction* previous = NewMenuAction(this, "mnuPreviousWindow", tr("Pre&vious Window"));
    previous->setShortcuts(QKeySequence::PreviousChild);
    connect(previous, &QAction::triggered, this, [this] { CycleWindows(-1); });
    window->addActions({next, previous});
}

void MainWindow::CycleWindows(int step) {
    const auto count = static_cast<int>(cycleOrder_.size());
    const auto active = std::find(cycleOrder_.begin(), cycleOrder_.end(), mdi_->activeSubWindow());
    int at = active == cycleOrder_.end() ? (step > 0 ? -1 : 0)
                                         : static_cast<int>(active - cycleOrder_.begin());
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        QMdiSubWindow* sub = cycleOrder_[static_cast<std::size_t>(at)];
        if (sub->isHidden()) continue;
        sub->raise();
        mdi_->setActiveSubWindow(sub);
        return;
    }
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar(tr("Toolbar"));
    toolbar_->setObjectName("tbrMain");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    // the buttons are the menu entries' own actions, so both always agree
    toolbar_->addActions(toolbarActions_);
    toolbar_->addSeparator();
    toolbar_->addActions({undo_, redo_});
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // closing the main window ends the program, once unsaved work is seen to
    if (!files_->MaySetPatternAside()) {
        event->ignore();
        return;
    }
    event->accept();
    SaveLayout();
    autosave_->Remove();  // a normal exit: the work is saved or set aside
    if (splash_ != nullptr) splash_->close();
    QApplication::quit();
}

void MainWindow::SaveLayout() const { saved_layout::Save(*this, cycleOrder_); }

bool MainWindow::RestoreLayout() {
    if (!saved_layout::Restore(*this, *mdi_, cycleOrder_)) return false;
    childrenPlaced_ = true;
    return true;
}

void MainWindow::FillScreenAndTile() {
    saved_layout::FillScreen(*this, *mdi_, {designSub_, weaveSub_, displaySub_, instructionsSub_});
    childrenPlaced_ = true;
}

namespace {

// The one local file a drag brings, if that is what it brings.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    files_->OpenDropped(path);
}

void MainWindow::exitProgram() {
    Trap("frmMain", "mnuExit_Click", [&] { close(); });
}

void MainWindow::UpdateCaption() {
    const std::string& path = document_.PatternPath();
    setWindowTitle(path.empty()
                       ? QStringLiteral("Tessaly[*]")
                       : QStringLiteral("Tessaly - %1[*]").arg(QString::fromStdString(path)));
    setWindowModified(session_.HasUnsavedWork());
}

void MainWindow::reverseFace() {
    // Reverse reports nothing itself: what fails inside the band reports there
    BusyCursor busy;
    session_.Run<ReverseFace>();
    reverse_->setChecked(session_.Presentation().IsReversed());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!childrenPlaced_) PlaceChildren();
}

void MainWindow::PlaceChildren() {
    // the design window at the top left, the band display filling the rest to its right
    childrenPlaced_ = true;
    const QSize area = mdi_->viewport()->size();
    designSub_->move(0, 0);
    displaySub_->setGeometry(designSub_->width(), 0,
                             std::max(area.width() - designSub_->width(), window_places::kMinWidth),
                             std::max(area.height(), window_places::kMinHeight));
    // the weaving assistant below the design window, beside the display
    weaveSub_->setGeometry(
        0, designSub_->height(), displaySub_->x(),
        std::max(area.height() - designSub_->height(), window_places::kMinHeight));
    WidenForCards();
}

void MainWindow::WidenForCards() {
    const int area = mdi_->viewport()->width();
    for (auto [sub, content] : {std::pair<QMdiSubWindow*, QWidget*>{designSub_, design_},
                                std::pair<QMdiSubWindow*, QWidget*>{weaveSub_, weave_}}) {
        if (sub->isHidden() || sub->isMaximized() || sub->isMinimized()) continue;
        if (content->layout() != nullptr) content->layout()->activate();
        const int frame = sub->width() - content->width();
        const int room = std::max(area - sub->x(), sub->width());
        const int wanted = std::min(content->sizeHint().width() + frame, room);
        if (wanted <= sub->width()) continue;
        const QRect before = sub->geometry();
        sub->resize(wanted, sub->height());
        const QRect display = displaySub_->geometry();
        if (display.x() != before.right() + 1 || displaySub_->isMaximized()) continue;
        // the display keeps its right edge, as long as it stays usable
        const int right =
            std::max(display.right(), sub->geometry().right() + window_places::kMinWidth);
        displaySub_->setGeometry(QRect(QPoint(sub->geometry().right() + 1, display.y()),
                                       QPoint(right, display.bottom())));
    }
}

void MainWindow::ShowChild(QMdiSubWindow* sub, const std::function<void()>& reopen) {
    // a window the weaver closed comes back as new
    if (!sub->isVisible()) {
        if (reopen) reopen();
        sub->show();
    }
    sub->raise();
    mdi_->setActiveSubWindow(sub);
}

void MainWindow::showWeave() {
    // the last pick, every pack forward
    Trap("frmMain", "mnuWeave_Click", [&] { ShowChild(weaveSub_, [this] { weave_->Reload(); }); });
}

void MainWindow::showDesign() {
    // the draft from the band
    Trap("frmMain", "mnuDesign_Click",
         [&] { ShowChild(designSub_, [this] { design_->Reload(); }); });
}

void MainWindow::showDisplay() {
    Trap("frmMain", "mnuDisplay_Click", [&] { ShowChild(displaySub_, {}); });
}

void MainWindow::showInstructions() {
    if (!instructionsSub_->isVisible()) instructionsSub_->show();
    instructionsSub_->raise();
    mdi_->setActiveSubWindow(instructionsSub_);
}

void MainWindow::showNotes() {
    Trap("frmMain", "mnuNotes_Click", [&] { ShowChild(notesSub_, {}); });
}

void MainWindow::showChart() {
    Trap("frmMain", "mnuChart_Click", [&] {
        const bool opening = chartSub_->isHidden();
        ShowChild(chartSub_, {});
        // shown, the chart takes the room its layout needs, at the work area's top right when
        // it opens, all of it within reach
        GrowToLayout(*chart_);
        if (opening)
            chartSub_->move(std::max(mdi_->viewport()->width() - chartSub_->width(), 0), 0);
        window_places::KeepChildReachable(mdi_, chartSub_);
    });
}

void MainWindow::showYarn() {
    Trap("frmMain", "mnuYarn_Click", [&] { ShowChild(yarnSub_, {}); });
}

void MainWindow::showWeaveAlong() {
    Trap("frmMain", "mnuWeaveAlong_Click", [&] {
        ShowChild(weaveAlongSub_, {});
        weaveAlong_->setFocus();
    });
}

void MainWindow::ShowWeaveAlongLarge(bool large) {
    // the large view fills the screen: the whole program, and the window all of its work area
    if (large) {
        wasFullScreen_ = isFullScreen();
        ShowChild(weaveAlongSub_, {});
        weaveAlongSub_->showMaximized();
        showFullScreen();
    } else {
        weaveAlongSub_->showNormal();
        if (!wasFullScreen_) showNormal();
    }
    weaveAlong_->setFocus();
}

void MainWindow::showHelp() {
    const QString path = programFolder_ + "/readme.txt";
    if (!QFile::exists(path)) return;  // Help reports nothing
    if (!dialogs_.OpenDocument(path)) ShowReadmeWindow(path);
}

void MainWindow::ShowReadmeWindow(const QString& path) {
    if (readmeSub_ == nullptr) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
        // the guide is Markdown: its paragraphs join up and wrap to the window's width
        auto* text = new QTextBrowser;
        text->setMarkdown(QString::fromUtf8(file.readAll()));
        text->setObjectName("txtReadme");
        text->setOpenExternalLinks(true);
        text->setWindowTitle(tr("Tessaly Help"));
        text->setAccessibleName(tr("Tessaly Help"));
        readmeSub_ = mdi_->addSubWindow(text);
        readmeSub_->setAttribute(Qt::WA_DeleteOnClose);
        // wide enough for comfortable lines where there is room, never beyond the work area
        const QSize wanted(text->fontMetrics().horizontalAdvance(QString(84, 'x')), 480);
        const QSize room = mdi_->viewport()->size();
        readmeSub_->setGeometry(QRect(QPoint(0, 0), wanted.boundedTo(room)));
    }
    readmeSub_->show();
    readmeSub_->raise();
}

void MainWindow::showAbout() { ShowSplash(false); }

void MainWindow::printPattern() {
    // a printer driver that brings the program down takes nothing typed with it
    autosave_->WriteNow(true);
    Trap("frmMain", "mnuPrint_Click", [&] { print_->Print(); });
}

void MainWindow::previewPattern() {
    autosave_->WriteNow(true);
    Trap("frmMain", "mnuPreview_Click", [&] { print_->Preview(); });
}


void MainWindow::exportPdf() {
    Trap("frmMain", "mnuExportPdf_Click", [&] { print_->ExportPdf(); });
}

void MainWindow::exportPicture() {
    Trap("frmMain", "mnuExportPicture_Click", [&] { print_->ExportPicture(); });
}

void MainWindow::ShowSplash(bool splash) {
    // an open splash is not made anew: its timer keeps running
    if (splash_ == nullptr) {
        splash_ = new SplashWindow(splash, this);
        const QRect area = geometry();
        splash_->move(area.center() - splash_->rect().center());
    }
    splash_->show();
    splash_->raise();
    splash_->activateWindow();
}

WindowValues MainWindow::CurrentWindowValues() const {
    WindowValues values{};
    values[0] = window_places::Read(this);
    values[1] = window_places::Read(designSub_);
    values[2] = window_places::Read(displaySub_);
    values[3] = window_places::Read(weaveSub_);
    return values;
}

void MainWindow::ApplyStoredPlaces(const WindowValues& values) noexcept {
    try {
        ApplyWindowValues(values);
    } catch (...) {
        // stored window places are a convenience; failing to apply them is not an error
    }
}

void MainWindow::ApplyWindowValues(const WindowValues& values) {
    window_places::ApplyToMain(this, values[0]);
    window_places::KeepOnScreen(this);
    // a main window stored smaller than its children's places (saved on a small screen)
    // grows to hold them, as far as the screen allows; the work area scrolls to the rest
    if (const QRect extent = window_places::ChildrenExtent({values[1], values[2], values[3]});
        !extent.isEmpty()) {
        window_places::GrowToHold(this, mdi_->viewport()->size(), extent);
        if (layout() != nullptr) layout()->activate();
    }
    childrenPlaced_ = true;
    for (auto [sub, value] : {std::pair{designSub_, values[1]}, std::pair{displaySub_, values[2]},
                              std::pair{weaveSub_, values[3]}})
        window_places::ApplyToChild(sub, value);
    // the design and the weaving assistant, grown to their layouts, keep the display beside
    for (auto [sub, value] : {std::pair{designSub_, values[1]}, std::pair{weaveSub_, values[3]}})
        window_places::KeepBesideGrown(sub, value, displaySub_, values[2]);
    WidenForCards();
    // children grown to their layouts reach further than stored: the main window grows to
    // hold them where the screen has room, before any is moved over another to stay inside
    QRect reach;
    for (const QMdiSubWindow* sub : {designSub_, displaySub_, weaveSub_})
        if (!sub->isHidden() && !sub->isMinimized() && !sub->isMaximized())
            reach |= QRect(QPoint(0, 0), sub->geometry().bottomRight());
    if (!reach.isEmpty()) {
        window_places::GrowToHold(this, mdi_->viewport()->size(), reach);
        if (layout() != nullptr) layout()->activate();
    }
    for (QMdiSubWindow* sub : {designSub_, displaySub_, weaveSub_})
        window_places::KeepChildReachable(mdi_, sub);
    // the instructions have no stored place: they open beside the band where there is room,
    // else over the right of the display, wide enough for every card, inside the work area
    if (!instructionsSub_->isVisible() && displaySub_->isVisible() && !displaySub_->isMaximized()) {
        const QSize area = mdi_->viewport()->size();
        const int frame = instructionsSub_->width() - instructions_->width();
        const int width = std::clamp(instructions_->PreferredWidth() + frame,
                                     instructionsSub_->width(), std::max(area.width(), 1));
        const int beside = displaySub_->geometry().right() + 1;
        const int x = std::clamp(beside, 0, std::max(area.width() - width, 0));
        const int height = std::min(instructionsSub_->height(), std::max(area.height(), 1));
        instructionsSub_->setGeometry(x, displaySub_->y(), width, height);
    }
}

}  // namespace tessaly
