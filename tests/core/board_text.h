#pragma once
// Boards as text, so a test shows its arrangement at a glance:
//   "1 2 3 4 / 5 6 7 8 / 9 10 11 _"   the solved Normal board
//   "1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 _ 14"   Hard, ImG14 and the blank exchanged
// Rows are parted by "/", cells by blanks; a number is a numbered tile, "_" the blank.
// The shape tells the level: 3 rows of 4 are Normal, 5 rows of 3 are Hard.

#include "core/board.h"

#include <QString>
#include <QStringList>

#include <optional>
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
    std::vector<QStringList> cells;
    for (const QString &row : rows)
        cells.push_back(row.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    const auto shapeIs = [&](int columns, int rowCount) {
        if (static_cast<int>(cells.size()) != rowCount)
            return false;
        for (const QStringList &row : cells) {
            if (row.size() != columns)
                return false;
        }
        return true;
    };
    std::optional<core::Level> level;
    if (shapeIs(4, 3))
        level = core::Level::Normal;
    else if (shapeIs(3, 5))
        level = core::Level::Hard;
    if (!level)
        throw std::invalid_argument("board text is neither 4 x 3 nor 3 x 5: " + text.toStdString());

    core::Board board(*level);
    std::vector<bool> seen(static_cast<std::size_t>(board.numberedTiles()) + 1, false);
    int cell = 0;
    for (const QStringList &row : cells) {
        for (const QString &token : row) {
            const core::Position at = core::cellPosition(board.layout(), cell++);
            int k = 0;
            if (token != QStringLiteral("_")) {
                bool ok = false;
                k = token.toInt(&ok);
                if (!ok || k < 1 || k > board.numberedTiles())
                    throw std::invalid_argument("no such tile: " + token.toStdString());
            }
            if (seen[static_cast<std::size_t>(k)])
                throw std::invalid_argument("tile given twice: " + token.toStdString());
            seen[static_cast<std::size_t>(k)] = true;
            if (k == 0)
                board.setBlank(at);
            else
                board.setTile(k, at);
        }
    }
    return board;
}

// The arrangement in the same notation. A cell that holds no element shows ".", one that
// holds several shows them joined by "+"; elements off the grid are listed after " | off:".
inline QString boardText(const core::Board &board)
{
    const core::Layout &layout = board.layout();
    const auto holders = [&](core::Position at) {
        QStringList here;
        for (int k = 1; k <= board.numberedTiles(); ++k) {
            if (board.tile(k) == at)
                here << QString::number(k);
        }
        if (board.blank() == at)
            here << QStringLiteral("_");
        return here.isEmpty() ? QStringLiteral(".") : here.join(QLatin1Char('+'));
    };
    QStringList rows;
    for (int r = 0; r < layout.rows; ++r) {
        QStringList row;
        for (int c = 0; c < layout.columns; ++c)
            row << holders(core::cellPosition(layout, r * layout.columns + c));
        rows << row.join(QLatin1Char(' '));
    }
    QString text = rows.join(QStringLiteral(" / "));

    QStringList off;
    const auto onGrid = [&](core::Position p) {
        for (int cell = 0; cell < layout.cells(); ++cell) {
            if (core::cellPosition(layout, cell) == p)
                return true;
        }
        return false;
    };
    for (int k = 1; k <= board.numberedTiles(); ++k) {
        if (!onGrid(board.tile(k)))
            off << QString::number(k);
    }
    if (!onGrid(board.blank()))
        off << QStringLiteral("_");
    if (!off.isEmpty())
        text += QStringLiteral(" | off: ") + off.join(QLatin1Char(' '));
    return text;
}

} // namespace testing
