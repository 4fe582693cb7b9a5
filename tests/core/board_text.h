#pragma once
// Boards as text, so a test shows its arrangement at a glance:
//   "1 2 3 4 / 5 6 7 8 / 9 10 11 _"   the solved Normal board
//   "1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 _ 14"   Hard, tile 14 and the blank exchanged
// Rows are parted by "/", cells by blanks; a number is a numbered tile, "_" the blank.
// The shape tells the level: 3 rows of 4 are Normal, 5 rows of 3 are Hard.

#include "core/board.h"

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace testing
{

/* the element name of numbered tile k, or of the blank for k == 0: "ImE8", "ImGNo" */
inline QString tileName(core::Level level, int k)
{
    const QString set =
        level == core::Level::Normal ? QStringLiteral("ImE") : QStringLiteral("ImG");
    return set + (k == 0 ? QStringLiteral("No") : QString::number(k));
}

// Throws std::invalid_argument for a text that is not a full arrangement of one level, so a
// mistyped case fails loudly instead of testing something else.
inline core::Board boardFromText(const QString &text)
{
    const QStringList rows = text.split(QLatin1Char('/'));
    std::vector<int> tiles;
    int columns = -1;
    for (const QString &row : rows) {
        const QStringList cells = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns >= 0 && cells.size() != columns)
            throw std::invalid_argument("rows of different lengths: " + text.toStdString());
        columns = static_cast<int>(cells.size());
        for (const QString &token : cells) {
            bool ok = token == QStringLiteral("_");
            const int k = ok ? 0 : token.toInt(&ok);
            if (!ok)
                throw std::invalid_argument("no such tile: " + token.toStdString());
            tiles.push_back(k);
        }
    }
    core::Level level = core::Level::Normal;
    if (columns == 4 && rows.size() == 3)
        level = core::Level::Normal;
    else if (columns == 3 && rows.size() == 5)
        level = core::Level::Hard;
    else
        throw std::invalid_argument("board text is neither 4 x 3 nor 3 x 5: " + text.toStdString());
    const auto board = core::Board::arranged(level, tiles);
    if (!board)
        throw std::invalid_argument("not every tile exactly once: " + text.toStdString());
    return *board;
}

// The arrangement in the same notation.
inline QString boardText(const core::Board &board)
{
    const core::Grid &grid = board.grid();
    QStringList rows;
    for (int r = 0; r < grid.rows; ++r) {
        QStringList row;
        for (int c = 0; c < grid.columns; ++c) {
            const int k = board.tileAt(r * grid.columns + c);
            row << (k == 0 ? QStringLiteral("_") : QString::number(k));
        }
        rows << row.join(QLatin1Char(' '));
    }
    return rows.join(QStringLiteral(" / "));
}

} // namespace testing
