#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>

#include "SplashWindow.h"
#include "WindowPlaces.h"
#include "design/DesignWindow.h"
#include "display/DisplayWindow.h"
#include "document/BusyCursor.h"
#include "document/PatternDocument.h"
#include "document/UserDialogs.h"
#include "errors/ErrorReporter.h"
#include "model/Twips.h"
#include "weave/InstructionsWindow.h"
#include "weave/WeaveWindow.h"

namespace tessaly {

namespace {

// A child window that hides when closed: its contents live as long as the program.
class ChildWindow : public QMdiSubWindow {
  public:
    using QMdiSubWindow::QMdiSubWindow;

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        hide();
    }
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

MainWindow::MainWindow(PatternDocument& document, UserDialogs& dialogs, QString programFolder,
                       QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Tessaly"));
    setWindowIcon(QIcon(":/icons/logo.svg"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    mdi_->setBackground(QColor(0x8a, 0x8f, 0x98));
    setCentralWidget(mdi_);

    BuildMenus();
    BuildToolbar();

    // the design window first: the others take their places from it
    design_ = new DesignWindow(document_, dialogs_);
    design_->SetSaveHandler([this] { return document_.Save(*this); });
    designSub_ = AddChild(mdi_, design_);
    designSub_->setGeometry(0, 0, TwipsToPixels(DesignWindow::kOuterWidthTwips),
                            TwipsToPixels(DesignWindow::kOuterHeightTwips));

    display_ = new DisplayWindow(document_);
    displaySub_ = AddChild(mdi_, display_);
    displaySub_->setGeometry(designSub_->width(), 0, TwipsToPixels(4800), TwipsToPixels(8400));

    weave_ = new WeaveWindow(document_);
    weaveSub_ = AddChild(mdi_, weave_);
    weaveSub_->setGeometry(0, designSub_->height(), designSub_->width(),
                           weave_->height() + (designSub_->height() - design_->height()));

    instructions_ = new InstructionsWindow(document_);
    instructionsSub_ = AddChild(mdi_, instructions_);
    instructionsSub_->resize(instructions_->size() + QSize(12, 36));
    instructionsSub_->move(TwipsToPixels(4800) + 8, 0);
    connect(instructions_, &InstructionsWindow::closeRequested, instructionsSub_, &QWidget::hide);

    designSub_->show();
    displaySub_->show();
    weaveSub_->show();
    instructionsSub_->hide();  // loaded, so the band can write into its grid, but not shown
    resize(TwipsToPixels(14400), TwipsToPixels(10800));
}

QAction* MainWindow::AddAction(const char* name, const QString& text, const char* icon,
                               const QString& toolTip) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (icon != nullptr) action->setIcon(QIcon(QString(":/icons/%1.svg").arg(icon)));
    if (!toolTip.isEmpty()) action->setToolTip(toolTip);
    return action;
}

QAction* MainWindow::Action(const char* name) const { return findChild<QAction*>(name); }

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("mnuFile");
    // the file commands arrive with the file and print windows; they show, disabled, where
    // they will be
    const QString later = tr("Coming in a later release");
    for (auto [name, text, icon, tip] :
         {std::tuple{"mnuNew", tr("&New"), "new", tr("Start New Pattern")},
          std::tuple{"mnuOpen", tr("&Open..."), "open", tr("Open Existing Pattern")},
          std::tuple{"mnuSave", tr("&Save"), "save", tr("Save Pattern")},
          std::tuple{"mnuSaveAs", tr("Save &As..."), static_cast<const char*>(nullptr),
                     QString()}}) {
        QAction* action = AddAction(name, text, icon, tip);
        action->setEnabled(false);
        action->setStatusTip(later);
        file->addAction(action);
    }
    file->addSeparator()->setObjectName("mnuDash0");
    for (auto [name, text, icon, tip] :
         {std::tuple{"mnuPrint", tr("&Print..."), "print", tr("Print Pattern")},
          std::tuple{"mnuPreview", tr("Print Pre&view"), "preview",
                     tr("Preview Printed Pattern")}}) {
        QAction* action = AddAction(name, text, icon, tip);
        action->setEnabled(false);
        action->setStatusTip(later);
        file->addAction(action);
    }
    file->addSeparator()->setObjectName("mnuDash1");
    QAction* exit = AddAction("mnuExit", tr("E&xit"));
    connect(exit, &QAction::triggered, qApp, &QApplication::quit);
    file->addAction(exit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("mnuView");
    QAction* design = AddAction("mnuDesign", tr("&Design"));
    connect(design, &QAction::triggered, this, &MainWindow::mnuDesign_Click);
    QAction* weave = AddAction("mnuWeave", tr("&Weave"));
    connect(weave, &QAction::triggered, this, &MainWindow::mnuWeave_Click);
    QAction* display = AddAction("mnuDisplay", tr("Dis&play"));
    connect(display, &QAction::triggered, this, &MainWindow::mnuDisplay_Click);
    QAction* instructions = AddAction("mnuInstructions", tr("&Instructions"));
    connect(instructions, &QAction::triggered, this, &MainWindow::mnuInstructions_Click);
    QAction* reverse =
        AddAction("mnuReverse", tr("&Reverse"), "reverse", tr("Display the reverse pattern"));
    reverse->setCheckable(true);
    // the menu shows a check mark, the toolbar a pressed button
    reverse->setIconVisibleInMenu(false);
    connect(reverse, &QAction::triggered, this, &MainWindow::mnuReverse_Click);
    // the document knows which face shows; Open turns the band back to its front
    connect(&document_, &PatternDocument::reverseChanged, reverse, &QAction::setChecked);
    view->addActions({design, weave, display, instructions, reverse});

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("mnuHelp");
    QAction* readme = AddAction("mnuDisplayHelp", tr("&Help"));
    connect(readme, &QAction::triggered, this, &MainWindow::mnuDisplayHelp_Click);
    QAction* about = AddAction("mnuAbout", tr("&About"));
    connect(about, &QAction::triggered, this, &MainWindow::mnuAbout_Click);
    help->addActions({readme, about});
}

void MainWindow::BuildToolbar() {
    toolbar_ = addToolBar(tr("Toolbar"));
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    // the buttons are the menu entries' own actions, so both always agree
    for (const char* name :
         {"mnuNew", "mnuOpen", "mnuSave", "mnuPrint", "mnuPreview", "mnuReverse"})
        toolbar_->addAction(Action(name));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (splash_ != nullptr) splash_->close();
    QApplication::quit();
}

void MainWindow::mnuReverse_Click() {
    // Reverse reports nothing itself: what fails inside the band reports there
    BusyCursor busy;
    document_.Reverse();
    Action("mnuReverse")->setChecked(document_.IsReversed());
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
                             std::max(area.width() - designSub_->width(), WindowPlaces::kMinWidth),
                             std::max(area.height(), WindowPlaces::kMinHeight));
    // the weaving assistant below the design window, beside the display
    weaveSub_->setGeometry(
        0, designSub_->height(), displaySub_->x(),
        std::max(area.height() - designSub_->height(), WindowPlaces::kMinHeight));
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

void MainWindow::mnuWeave_Click() {
    // the last pick, every pack forward
    Trap("frmMain", "mnuWeave_Click", [&] { ShowChild(weaveSub_, [this] { weave_->Reload(); }); });
}

void MainWindow::mnuDesign_Click() {
    // the draft from the band
    Trap("frmMain", "mnuDesign_Click",
         [&] { ShowChild(designSub_, [this] { design_->Reload(); }); });
}

void MainWindow::mnuDisplay_Click() {
    Trap("frmMain", "mnuDisplay_Click", [&] { ShowChild(displaySub_, {}); });
}

void MainWindow::mnuInstructions_Click() {
    if (!instructionsSub_->isVisible()) instructionsSub_->show();
    instructionsSub_->raise();
    mdi_->setActiveSubWindow(instructionsSub_);
}

void MainWindow::mnuDisplayHelp_Click() {
    const QString path = programFolder_ + "/readme.txt";
    if (!QFile::exists(path)) return;  // Help reports nothing
    if (!dialogs_.OpenDocument(path)) ShowReadmeWindow(path);
}

void MainWindow::ShowReadmeWindow(const QString& path) {
    if (readmeSub_ == nullptr) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
        auto* text = new QPlainTextEdit(QString::fromUtf8(file.readAll()));
        text->setObjectName("txtReadme");
        text->setReadOnly(true);
        // the guide's lines are broken already; wrapping them again makes them ragged
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
        text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        text->setWindowTitle(tr("Tessaly Help"));
        text->setAccessibleName(tr("Tessaly Help"));
        readmeSub_ = mdi_->addSubWindow(text);
        readmeSub_->setAttribute(Qt::WA_DeleteOnClose);
        // wide enough for the guide's lines where there is room, never beyond the work area
        const QSize wanted(text->fontMetrics().horizontalAdvance(QString(84, 'x')), 480);
        const QSize room = mdi_->viewport()->size();
        readmeSub_->setGeometry(QRect(QPoint(0, 0), wanted.boundedTo(room)));
    }
    readmeSub_->show();
    readmeSub_->raise();
}

void MainWindow::mnuAbout_Click() { ShowSplash(false); }

SplashWindow* MainWindow::Splash() const { return splash_; }

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

std::optional<std::string> MainWindow::AskSavePath() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Pattern"), QString(),
                                                      tr("Kestro File (*.kst);;All Files (*.*)"));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void MainWindow::SetMainCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

std::string MainWindow::BandNameText() { return document_.BandName(); }

std::string MainWindow::TurnSequenceText() { return document_.TurnSequence(); }

WindowValues MainWindow::CurrentWindowValues() {
    WindowValues values{};
    values[0] = WindowPlaces::Read(this);
    values[1] = WindowPlaces::Read(designSub_);
    values[2] = WindowPlaces::Read(displaySub_);
    values[3] = WindowPlaces::Read(weaveSub_);
    return values;
}

void MainWindow::ApplyWindowValues(const WindowValues& values) {
    WindowPlaces::ApplyToMain(this, values[0]);
    WindowPlaces::KeepOnScreen(this);
    childrenPlaced_ = true;
    for (auto [sub, value] : {std::pair{designSub_, values[1]}, std::pair{displaySub_, values[2]},
                              std::pair{weaveSub_, values[3]}}) {
        WindowPlaces::ApplyToChild(sub, value);
        WindowPlaces::KeepChildReachable(mdi_, sub);
    }
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
