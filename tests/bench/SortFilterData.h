#pragma once
// The data the filter and sort benchmarks share: rows of five columns (a
// text, an integer, a date "d/M/yyyy" with four-digit years, a text, a
// small integer) from a fixed seed, as a string grid with one fixed row and
// as a QStandardItemModel holding the same values as QString, int and QDate.

#include "AdvGrid.h"
#include "Forms.h"

#include <QDate>
#include <QStandardItemModel>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace SortFilterData {

constexpr int kCols = 5;
inline const char* const kDateFormat = "d/M/yyyy";
inline int Rows = 100000;
inline std::vector<QString> Texts;  // row-major

inline double Seconds(const std::chrono::steady_clock::time_point& t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

inline const QString& Text(int r, int c) { return Texts[size_t(r) * kCols + size_t(c)]; }

inline void MakeTexts()
{
    std::mt19937 rnd(27);
    Texts.clear();
    Texts.reserve(size_t(Rows) * kCols);
    for (int r = 0; r < Rows; ++r) {
        Texts.push_back(QStringLiteral("name%1").arg(rnd() % 1000000));
        Texts.push_back(QString::number(rnd() % 1000000));
        const QDate d = QDate(1990, 1, 1).addDays(int(rnd() % 12000));
        Texts.push_back(d.toString(QString::fromLatin1(kDateFormat)));
        Texts.push_back(QStringLiteral("w%1").arg(rnd() % 5000));
        Texts.push_back(QString::number(rnd() % 1000));
    }
}

using GridPtr = std::unique_ptr<TAdvStringGrid, void (*)(TAdvStringGrid*)>;

inline GridPtr MakeGrid()
{
    GridPtr g(Create<TAdvStringGrid>(nullptr), [](TAdvStringGrid* p) { Free(p); });
    g->SetColCount(kCols);
    g->SetRowCount(Rows + 1);
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c) g->SetCells(c, r + 1, Text(r, c));
    return g;
}

inline std::unique_ptr<QStandardItemModel> MakeModel()
{
    auto m = std::make_unique<QStandardItemModel>(Rows, kCols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* it = new QStandardItem;
            if (c == 1 || c == 4) it->setData(Text(r, c).toInt(), Qt::DisplayRole);
            else if (c == 2) it->setData(QDate::fromString(Text(r, c), QString::fromLatin1(kDateFormat)), Qt::DisplayRole);
            else it->setText(Text(r, c));
            m->setItem(r, c, it);
        }
    return m;
}

}  // namespace SortFilterData
