#include "platform/desktop.h"

#include "platform/pictures.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFont>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace platform
{

bool SystemDesktop::askOkCancel(QWidget *owner, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, owner);
    return box.exec() == QMessageBox::Ok;
}

void SystemDesktop::tell(QWidget *owner, const QString &text, const QString &title)
{
    QMessageBox::warning(owner, title, text);
}

void SystemDesktop::reportFatal(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zantho Puzzle +1"), message,
                    QMessageBox::Ok);
    box.exec();
}

void SystemDesktop::openUrl(QWidget *, const QString &url)
{
    // The empty address (the banner before its first picture) goes on unchanged.
    QDesktopServices::openUrl(QUrl(url));
}

QStringList SystemDesktop::choosePictures(QWidget *owner)
{
    const QString filter =
        QStringLiteral("Pictures (*.%1)").arg(pictureSuffixes().join(QStringLiteral(" *.")));
    return QFileDialog::getOpenFileNames(
        owner, QStringLiteral("Add pictures"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), filter);
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

} // namespace platform
