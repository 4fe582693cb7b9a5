#include "windows/menu/menu_window.h"

#include "core/board.h"
#include "platform/accessibility.h"
#include "platform/desktop.h"
#include "platform/elements.h"
#include "platform/pictures.h"
#include "platform/web_link.h"
#include "platform/window_place.h"
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

namespace windows
{

namespace
{

platform::Label *makeLabel(QWidget *parent, const QString &name, float left, float top, float width,
                           float height, const QString &caption, const QColor &colour,
                           Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *label = new platform::Label(parent, name, left, top, width, height, caption);
    label->setFontSpec(QStringLiteral("MS Sans Serif"), 8.25, true);
    label->setForeColor(colour);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

platform::Picture *makePicture(QWidget *parent, const QString &name, float left, float top,
                               float width, float height, const QString &resource = {})
{
    auto *picture = new platform::Picture(parent, name, left, top, width, height);
    if (!resource.isEmpty())
        picture->setPicture(resources::pixmap(resource));
    return picture;
}

const QString kTitle = QStringLiteral("Zantho Puzzle +1");
const QString kRemoveAction = QStringLiteral("Remove picture");

// How a reader names the picture on show: the player's own by its file's name.
QString pictureName(int picture, const core::PictureOrder &order, const QString &ownName)
{
    const QString name = QStringLiteral("Picture %1 of %2").arg(picture).arg(order.count());
    return ownName.isEmpty() ? name : name + QStringLiteral(": ") + ownName;
}

// The local files of a drop from a file manager (its text/uri-list).
QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
    return files;
}

QString levelCaption(core::Level level)
{
    return level == core::Level::Normal ? QStringLiteral("Normal") : QStringLiteral("Hard");
}

} // namespace

MenuWindow::MenuWindow(const platform::DataTree &tree, platform::Desktop &desktop,
                       platform::PlayerPictures own)
    : m_tree(tree), m_desktop(desktop), m_folder(std::move(own))
{
    using namespace resources;
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zantho Games - Puzzle +1"));
    setWindowIcon(pixmap(name::windowIcon));
    setFixedSize(platform::twipsRect(0, 0, 5460, 4065).size());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);
    setAutoFillBackground(true);

    const QColor yellow(255, 255, 0);
    const QColor green(0, 255, 0);

    auto *titleStrip =
        makePicture(this, QStringLiteral("Image3"), -15, 0, 5490, 330, name::menuTitle);
    auto *panel =
        makePicture(this, QStringLiteral("Image1"), 150, 330, 5130, 3420, name::menuPanel);
    auto *selectCaption = makeLabel(this, QStringLiteral("Label3"), 360, 345, 2055, 255,
                                    QStringLiteral("Select a picture :"), yellow);
    m_landscapeFrame = makePicture(this, QStringLiteral("ImgHorizontal"), 450, 720, 3015, 2235);
    m_portraitFrame = makePicture(this, QStringLiteral("ImgVertical"), 1020, 585, 1965, 2595);
    auto *previousArrow =
        makePicture(this, QStringLiteral("Image5"), 450, 3150, 510, 510, name::iconPrevious);
    auto *nextArrow =
        makePicture(this, QStringLiteral("Image6"), 3030, 3165, 510, 510, name::iconNext);
    auto *difficultyCaption = makeLabel(this, QStringLiteral("Label6"), 1200, 3285, 975, 255,
                                        QStringLiteral("Difficulty :   "), yellow);
    m_difficulty = makeLabel(this, QStringLiteral("LbDificultad"), 2160, 3285, 675, 255,
                             levelCaption(core::levelOfPicture(m_picture)), green);
    auto *playIcon =
        makePicture(this, QStringLiteral("Image2"), 4320, 780, 480, 480, name::iconPlay);
    m_playLabel = makeLabel(this, QStringLiteral("LbPlay"), 4290, 1140, 495, 210,
                            QStringLiteral("Play"), actionColour(), Qt::AlignHCenter);
    auto *helpIcon =
        makePicture(this, QStringLiteral("Image4"), 4200, 1380, 720, 720, name::iconHelp);
    m_helpLabel = makeLabel(this, QStringLiteral("LbHelp"), 4320, 1950, 495, 210,
                            QStringLiteral("Help"), actionColour(), Qt::AlignHCenter);
    auto *exitIcon =
        makePicture(this, QStringLiteral("Image7"), 4320, 2340, 480, 480, name::iconExit);
    // In the top row, clear of every other element: the way to the player's own pictures.
    auto *addIcon = makePicture(this, QStringLiteral("ImgAddPicture"), 2895, 360, 240, 240,
                                name::iconAddPicture);
    m_exitLabel = makeLabel(this, QStringLiteral("LbExit"), 4320, 2820, 495, 210,
                            QStringLiteral("Exit"), actionColour(), Qt::AlignHCenter);
    auto *firstSiteBar =
        makePicture(this, QStringLiteral("Image8"), -15, 3750, 2625, 315, name::linkBar1);
    auto *firstSiteLink =
        makeLabel(this, QStringLiteral("Label1"), 120, 3840, 2415, 135, {}, Qt::black);
    auto *secondSiteBar =
        makePicture(this, QStringLiteral("Image9"), 2805, 3750, 2655, 315, name::linkBar2);
    auto *secondSiteLink =
        makeLabel(this, QStringLiteral("Label2"), 3000, 3840, 2175, 135, {}, Qt::black);

    // Where two elements overlap the upper one takes the mouse: the Play icon covers the
    // top of its label, the word "Help" the bottom of its icon.
    for (QWidget *w : std::initializer_list<QWidget *>{
             panel,           difficultyCaption, m_difficulty,  previousArrow,  nextArrow,
             exitIcon,        helpIcon,          titleStrip,    firstSiteBar,   secondSiteBar,
             m_portraitFrame, m_landscapeFrame,  firstSiteLink, secondSiteLink, m_playLabel,
             playIcon,        m_helpLabel,       m_exitLabel,   selectCaption,  addIcon})
        w->raise();

    const QCursor pointer = resources::cursor(CursorKind::MenuPointer);
    for (QWidget *w :
         std::initializer_list<QWidget *>{previousArrow, nextArrow, playIcon, helpIcon, exitIcon,
                                          firstSiteLink, secondSiteLink, addIcon})
        w->setCursor(pointer);

    platform::describe(previousArrow, QAccessible::Button, QStringLiteral("Previous picture"));
    platform::describe(nextArrow, QAccessible::Button, QStringLiteral("Next picture"));
    platform::describe(playIcon, QAccessible::Button, QStringLiteral("Play"));
    platform::describe(helpIcon, QAccessible::Button, QStringLiteral("Help"));
    platform::describe(exitIcon, QAccessible::Button, QStringLiteral("Exit"));
    platform::describe(firstSiteLink, QAccessible::Link, platform::kFirstFanSite);
    platform::describe(secondSiteLink, QAccessible::Link, platform::kSecondFanSite);
    platform::describe(addIcon, QAccessible::Button, QStringLiteral("Add pictures"),
                       QStringLiteral("Ctrl+O; or drop picture files on the menu"));
    // Named at first as if the player had no pictures: their folder is listed later.
    for (platform::Picture *frame : {m_landscapeFrame, m_portraitFrame})
        platform::describe(frame, QAccessible::Graphic,
                           pictureName(m_picture, core::PictureOrder{}, {}));

    new platform::WindowDragHandle(titleStrip, this);

    connect(panel, &platform::Picture::mouseMoved, this, [this] { highlightAction(nullptr); });
    connect(playIcon, &platform::Picture::mouseMoved, this,
            [this] { highlightAction(m_playLabel); });
    connect(helpIcon, &platform::Picture::mouseMoved, this,
            [this] { highlightAction(m_helpLabel); });
    connect(exitIcon, &platform::Picture::mouseMoved, this,
            [this] { highlightAction(m_exitLabel); });
    connect(previousArrow, &platform::Picture::clicked, this, [this] { step(-1); });
    connect(nextArrow, &platform::Picture::clicked, this, [this] { step(+1); });
    connect(playIcon, &platform::Picture::clicked, this, &MenuWindow::play);
    connect(addIcon, &platform::Picture::clicked, this,
            [this] { addPictures(m_desktop.choosePictures(this)); });
    for (platform::Picture *frame : {m_landscapeFrame, m_portraitFrame})
        connect(frame, &platform::Picture::actionRequested, this, [this](const QString &action) {
            if (action == kRemoveAction)
                removeShownPicture();
        });
    connect(helpIcon, &platform::Picture::clicked, this, &MenuWindow::helpRequested);
    connect(exitIcon, &platform::Picture::clicked, this, &MenuWindow::exitRequested);
    connect(firstSiteLink, &platform::Label::clicked, this,
            [this] { m_desktop.openUrl(this, platform::kFirstFanSite); });
    connect(secondSiteLink, &platform::Label::clicked, this,
            [this] { m_desktop.openUrl(this, platform::kSecondFanSite); });

    setAcceptDrops(true);
    platform::centreOnScreen(this);
}

QString MenuWindow::load()
{
    const QImage skin = resources::image(resources::name::menuSkin);
    if (const QString problem = platform::skinProblem(skin, resources::name::menuSkin);
        !problem.isEmpty())
        return problem;
    m_shape.apply(skin);
    m_skin = platform::SkinPixmap(resources::name::menuSkin);
    // At first both frames are visible and the portrait one is empty, so the landscape frame
    // shows picture 1 without touching visibility or the level.
    const platform::LoadedPicture preview =
        platform::loadPicture(m_tree.menuPreview(m_picture), m_landscapeFrame->deviceSize());
    if (!preview.ok())
        return preview.problem;
    m_landscapeFrame->setPicture(preview.pixmap);
    return {};
}

const QStringList &MenuWindow::own() const
{
    if (!m_own)
        m_own = m_folder.list();
    return *m_own;
}

void MenuWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_skin);
    if (!m_own)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_own)
                    return;
                own();
                for (platform::Picture *frame : {m_landscapeFrame, m_portraitFrame})
                    platform::rename(frame, pictureName(m_picture, order(), {}));
            },
            Qt::QueuedConnection);
}

void MenuWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous()) {
        event->ignore();
        Q_EMIT exitRequested();
        return;
    }
    event->accept();
}

void MenuWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Open))
        return addPictures(m_desktop.choosePictures(this));
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
        return step(-1);
    case Qt::Key_Right:
        return step(+1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return play();
    case Qt::Key_Delete:
        return removeShownPicture();
    case Qt::Key_F1:
        Q_EMIT helpRequested();
        return;
    case Qt::Key_Escape:
        Q_EMIT exitRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MenuWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MenuWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: a message about a file must not hold up the file manager.
    QMetaObject::invokeMethod(
        this, [this, files] { addPictures(files); }, Qt::QueuedConnection);
}

void MenuWindow::step(int by)
{
    // From the last picture to the first and back, round and round.
    m_picture = order().step(m_picture, by);
    showPicture();
}

void MenuWindow::play()
{
    Q_EMIT playRequested(m_picture, ownFile());
}

QString MenuWindow::ownFile() const
{
    return order().isPlayers(m_picture) ? m_folder.path(own().at(order().playerIndex(m_picture)))
                                        : QString();
}

void MenuWindow::showPicture()
{
    const bool players = order().isPlayers(m_picture);
    const QString name = players ? own().at(order().playerIndex(m_picture)) : QString();
    for (platform::Picture *frame : {m_landscapeFrame, m_portraitFrame}) {
        platform::rename(frame, pictureName(m_picture, order(), name));
        platform::offerAction(frame, players ? kRemoveAction : QString());
    }
    if (players)
        return showOwnPicture();
    const core::Level level = core::levelOfPicture(m_picture);
    platform::Picture *frame = level == core::Level::Hard ? m_portraitFrame : m_landscapeFrame;
    const platform::LoadedPicture preview =
        platform::loadPicture(m_tree.menuPreview(m_picture), frame->deviceSize());
    if (!preview.ok()) {
        Q_EMIT pictureUnreadable(preview.problem);
        return;
    }
    showPreview(level, preview.pixmap);
}

void MenuWindow::showOwnPicture()
{
    core::Level level = core::Level::Normal;
    const platform::LoadedPictures preview =
        platform::loadPictures(ownFile(), [this, &level](QSize upright) {
            level = core::levelOfShape(upright.width(), upright.height());
            platform::Picture *frame =
                level == core::Level::Hard ? m_portraitFrame : m_landscapeFrame;
            return QList<platform::Frame>{{frame->deviceSize()}};
        });
    if (!preview.ok()) {
        // Nothing of it to show; it stays chosen, so that Delete can take it away.
        m_difficulty->setCaption({});
        m_portraitFrame->hide();
        m_landscapeFrame->show();
        m_landscapeFrame->setPicture({});
        m_desktop.tell(this, preview.problem, kTitle);
        return;
    }
    showPreview(level, preview.pixmaps.first());
}

void MenuWindow::showPreview(core::Level level, const QPixmap &preview)
{
    m_difficulty->setCaption(levelCaption(level));
    // The frame of the other level keeps its last picture while hidden.
    if (level == core::Level::Hard) {
        m_portraitFrame->show();
        m_portraitFrame->setPicture(preview);
        m_landscapeFrame->hide();
    } else {
        m_portraitFrame->hide();
        m_landscapeFrame->show();
        m_landscapeFrame->setPicture(preview);
    }
}

void MenuWindow::addPictures(const QStringList &files)
{
    QStringList problems;
    QString first;
    for (const QString &file : files) {
        const platform::PlayerPictures::Added added = m_folder.add(file);
        if (!added.problem.isEmpty())
            problems << added.problem;
        else if (first.isEmpty())
            first = added.name;
    }
    m_own = m_folder.list();
    if (const qsizetype at = m_own->indexOf(first); !first.isEmpty() && at >= 0) {
        m_picture = core::kPictureCount + 1 + int(at);
        showPicture();
    }
    if (!problems.isEmpty())
        m_desktop.tell(this, problems.join(u'\n'), kTitle);
}

void MenuWindow::removeShownPicture()
{
    if (!order().isPlayers(m_picture))
        return;
    const QString name = own().at(order().playerIndex(m_picture));
    if (!m_desktop.askOkCancel(this,
                               QStringLiteral("Remove the picture \"%1\" from the game?\nThe "
                                              "file you added it from stays as it is.")
                                   .arg(name),
                               kTitle))
        return;
    if (const QString problem = m_folder.remove(name); !problem.isEmpty()) {
        m_desktop.tell(this, problem, kTitle);
        return;
    }
    // The next picture takes its number; after the last comes the first.
    m_own = m_folder.list();
    if (m_picture > order().count())
        m_picture = 1;
    showPicture();
}

void MenuWindow::highlightAction(platform::Label *active)
{
    for (platform::Label *label : {m_playLabel, m_helpLabel, m_exitLabel})
        label->setForeColor(label == active ? highlight() : actionColour());
}

} // namespace windows
