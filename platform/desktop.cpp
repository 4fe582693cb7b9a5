#include "platform/desktop.h"

#include "platform/pictures.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

namespace platform
{

bool SystemDesktop::askOkCancel(QWidget *owner, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, owner);
    return box.exec() == QMessageBox::Ok;
}

void SystemDesktop::tell(QWidget *owner, const QString &text, const QString &title)
{
    std::fprintf(stderr, "%s\n", qPrintable(text)); // for a log of the run
    std::fflush(stderr);
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
    // The desktop's pictures folder, or the home folder where there is none.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileDialog::getOpenFileNames(owner, QStringLiteral("Add pictures"),
                                         QDir(pictures).exists() ? pictures : QDir::homePath(),
                                         filter);
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

} // namespace platform
