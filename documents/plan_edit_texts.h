#pragma once

// Texts of the stepwise pause's plan check.

namespace kargolo {

constexpr char kPlanOk[] = "OK";
constexpr char kOpenedDegenerate[] = "вырожденный: число базисных клеток = %d < m+n-1 = %d";
constexpr char kOpenedTooMany[] = "не является опорным: число базисных клеток = %d > m+n-1 = %d";
constexpr char kEditedTooMany[] = "не является опорным - число базисных клеток = %d > m+n-1 = %d; ";
constexpr char kEditedDegenerate[] = "вырожденный - число базисных клеток = %d < m+n-1 = %d; ";
constexpr char kUndistributed[] =
    "не является опорным, т.к. не полностью распределен груз от следующих поставщиков: ";
constexpr char kUndistributedRow[] = "%c A%i";
constexpr char kCycle[] = "не является опорным, т.к. следующие клетки составляют цикл: ";
constexpr char kCycleCell[] = "%c (%i,%i)";
constexpr char kCannotContinue[] = "Продолжение невозможно - нарушена опорность плана: ";
constexpr char kNotFullyLoaded[] = "\nв таблице присутствуют не полностью загруженные клетки;";
constexpr char kCycleInBasis[] = "\nиз базисных клеток можно составить цикл;";

// Why a typed quantity was cut to what the cell may carry.
constexpr char kCutToRow[] = "(%d,%d): уменьшено до %lld - остаток строки A%d";
constexpr char kCutToColumn[] = "(%d,%d): уменьшено до %lld - остаток столбца B%d";
constexpr char kCutToRowAndColumn[] = "(%d,%d): уменьшено до %lld - остаток строки A%d и столбца B%d";
constexpr char kCutToLimit[] = "(%d,%d): уменьшено до %lld - ограничение клетки";

}  // namespace kargolo
