#pragma once

// Texts of the check of a student's plan.

namespace kargolo {

// Reading a plan ("Строка %u, столбец %u: " goes before these).
constexpr char kPlanLineCount[] = "в плане %u строк, а нужно %u: по строке на поставщика.";
constexpr char kPlanValueCount[] =
    "в строке плана %u значений, а нужно %u: по значению на потребителя.";
constexpr char kPlanEmpty[] = "в файле нет плана.";
constexpr char kStatedFNotNumber[] = "Значение F должно быть целым числом: \"%s\".";

// The task is of a kind the check does not judge.
constexpr char kVariantNotChecked[] =
    "План проверяется только в задаче на минимум стоимости без обязательных поставок; тариф M "
    "допускается лишь при решении с ограничениями (тогда маршрут закрыт).";
constexpr char kKindNotChecked[] =
    "План проверяется только в транспортной задаче, не в задаче по критерию времени и не в задаче "
    "о назначениях.";

// The plan does not fit the task.
constexpr char kPlanSizeWrong[] =
    "План размером %u x %u не подходит к задаче: в ней %u поставщиков и %u потребителей.";

// Mistakes.
constexpr char kNegativeQuantity[] =
    "Перевозка X<sub>%u,%u</sub> = %lld отрицательна: перевозки не бывают меньше нуля.";
constexpr char kRowShipsMore[] =
    "Поставщик A%u отправляет %lld ед. груза, а его запас %lld: на %lld больше.";
constexpr char kRowShipsLess[] =
    "Поставщик A%u отправляет %lld ед. груза, а его запас %lld: на %lld меньше.";
constexpr char kColumnGetsMore[] =
    "Потребитель B%u получает %lld ед. груза, а его потребность %lld: на %lld больше.";
constexpr char kColumnGetsLess[] =
    "Потребитель B%u получает %lld ед. груза, а его потребность %lld: на %lld меньше.";
constexpr char kOverLimit[] =
    "Перевозка X<sub>%u,%u</sub> = %lld больше пропускной способности маршрута "
    "D<sub>%u,%u</sub> = %lld на %lld.";
constexpr char kClosedRouteUsed[] =
    "Маршрут (%u,%u) закрыт (D<sub>%u,%u</sub> = 0), а по нему перевозится %lld ед. груза.";
constexpr char kTooManyCells[] = "Занято %u клеток%s, а в опорном плане их не больше m+n-1 = %u.";
constexpr char kCycleOfCells[] =
    "Занятые клетки%s образуют цикл %s. В опорном плане занятые клетки цикла не образуют: "
    "груз можно сдвинуть по циклу, не нарушив ни запасов, ни потребностей.";
constexpr char kStatedFWrong[] = "Указано F = %lld, а стоимость плана F = %lld.";
constexpr char kNotOptimal[] = "План не оптимален: его F = %lld, а оптимальное значение F = %lld.";

// What counts as occupied with limits, and the fictitious line counted.
constexpr char kInteriorCells[] = " с 0 &lt; X<sub>i,j</sub> &lt; D<sub>i,j</sub>";
constexpr char kWithFictitiousConsumer[] = " (с фиктивным потребителем B%u)";
constexpr char kWithFictitiousSupplier[] = " (с фиктивным поставщиком A%u)";

// The report.
constexpr char kCheckHeading[] = "<h3>Проверка плана: %s</h3>";
constexpr char kCheckedPlanCaption[] =
    "<p>Проверяемый план: в клетке вверху справа тариф%s, внизу перевозка.</p>";
constexpr char kLimitsInCaption[] = ", внизу справа пропускная способность";
constexpr char kCycleMarked[] = " Клетки цикла отмечены знаками.";
constexpr char kSectionBalance[] = "1. Запасы и потребности";
constexpr char kSectionLimits[] = "2. Пропускные способности";
constexpr char kSectionBasis[] = "%u. Опорность плана";
constexpr char kSectionCost[] = "%u. Целевая функция";
constexpr char kSectionOptimum[] = "%u. Оптимальность";

constexpr char kBalanceRight[] =
    "Каждый поставщик отправляет весь свой запас, каждый потребитель получает свою "
    "потребность.";
constexpr char kSurplusRight[] =
    "Каждый потребитель получает свою потребность, поставщики отправляют не больше своих "
    "запасов; остаток %lld ед. груза остается у поставщиков (перевозки фиктивному потребителю "
    "B%u).";
constexpr char kDeficitRight[] =
    "Каждый поставщик отправляет весь свой запас, потребители получают не больше своих "
    "потребностей; недостача %lld ед. груза (перевозки от фиктивного поставщика A%u).";
constexpr char kLimitsRight[] = "Все перевозки в пределах пропускных способностей маршрутов.";
constexpr char kBasicRight[] =
    "План опорный: занято %u клеток%s (m+n-1 = %u), цикла они не образуют.";
constexpr char kBasicDegenerateOneZero[] =
    "План опорный, но вырожденный: занято %u клеток%s из m+n-1 = %u, цикла они не образуют. "
    "Недостающий базисный нуль можно поставить в клетку %s: это свободная клетка с наименьшим "
    "тарифом, не замыкающая цикла.";
constexpr char kBasicDegenerate[] =
    "План опорный, но вырожденный: занято %u клеток%s из m+n-1 = %u, цикла они не образуют. "
    "Недостающие базисные нули можно поставить в клетки %s: это свободные клетки с "
    "наименьшими тарифами, не замыкающие цикла.";
constexpr char kCost[] =
    "Стоимость плана F = &Sigma; c<sub>i,j</sub>&middot;X<sub>i,j</sub> = %lld.";
constexpr char kStatedFRight[] = "Указанное значение F = %lld совпадает со стоимостью плана.";
constexpr char kOptimalRight[] = "План оптимален: перевозки дешевле при этих условиях нет.";
constexpr char kPotentials[] =
    "Потенциалы плана (u<sub>1</sub> = 0, u<sub>i</sub> + v<sub>j</sub> = c<sub>i,j</sub> на "
    "занятых клетках%s): %s.";
constexpr char kWithZeros[] = " и базисных нулях";
constexpr char kEstimateBelowZero[] =
    "Оценка свободной клетки (%u,%u): S<sub>%u,%u</sub> = c<sub>%u,%u</sub> - "
    "(u<sub>%u</sub> + v<sub>%u</sub>) = %lld - (%lld + %lld) = %lld &lt; 0: перевозка по этому "
    "маршруту уменьшит F.";
constexpr char kEstimateAboveZero[] =
    "Оценка клетки (%u,%u), заполненной до предела: S<sub>%u,%u</sub> = c<sub>%u,%u</sub> - "
    "(u<sub>%u</sub> + v<sub>%u</sub>) = %lld - (%lld + %lld) = %lld &gt; 0: уменьшение "
    "перевозки по этому маршруту уменьшит F.";
constexpr char kNoPotentials[] = "План не опорный, поэтому потенциалы для него не определены.";
constexpr char kNotJudged[] =
    "Оптимальность не проверялась: план не удовлетворяет условиям задачи.";
constexpr char kTaskUnsolvable[] =
    "Задача неразрешима из-за ограничений: плана, который доставил бы весь груз в пределах "
    "пропускных способностей, нет.";
constexpr char kAllRight[] = "<p><b>Итог: план верен и оптимален.</b></p>";
constexpr char kMistakesCount[] = "<p><b>Итог: найдено ошибок: %u.</b></p>";

}  // namespace kargolo
