#pragma once

// Texts the initial plan rules write into the report.

namespace kargolo {

constexpr char kRemainderNotation[] =
    "Введем некоторые обозначения:<br>  A<sub>i</sub><sup>*</sup> - излишек нераспределенного "
    "груза от поставщика A<sub>i</sub><br>  B<sub>j</sub><sup>*</sup> - недостача в поставке "
    "груза потребителю B<sub>j</sub><p>";

constexpr char kPlaceSmaller[] =
    "Помещаем в клетку (%u,%u) меньшее из чисел A<sub>%u</sub><sup>*</sup>=%u и "
    "B<sub>%u</sub><sup>*</sup>=%u<br>";

constexpr char kRowExhausted[] =
    "Так как запасы поставщика A<sub>%u</sub> исчерпаны, то строка %u в дальнейшем в расчет не "
    "принимается<br>";

constexpr char kColumnSatisfied[] =
    "Так как спрос потребителя B<sub>%u</sub> удовлетворен, то столбец %u в дальнейшем в расчет "
    "не принимается<br>";

// Shared by the minimum element rule, Vogel's method and double preference.
constexpr char kExcludeFictitiousConsumer[] =
    "Временно исключаем из рассмотрения клетки фиктивного потребителя.<br>";
constexpr char kExcludeFictitiousSupplier[] =
    "Временно исключаем из рассмотрения клетки фиктивного поставщика.<br>";
// "потребитем" is how the report has always spelt it.
constexpr char kDistributeToFictitiousConsumer[] =
    "Теперь распределим оставшийся груз между поставщиками и фиктивным потребитем B%u<br>";
constexpr char kDistributeFromFictitiousSupplier[] =
    "Теперь распределим фиктивный груз между потребителями и фиктивным поставщиком A%u<br>";
constexpr char kPlaceFictitious[] = "Поместим в клетку (%u,%u) %u единиц груза<br>";

// Minimum element rule.
constexpr char kPlaceCheapest[] =
    "Находим незанятую клетку с минимальным тарифом: (%u,%u).<br>Помещаем туда меньшее из чисел "
    "A<sub>%u</sub><sup>*</sup>=%u и B<sub>%u</sub><sup>*</sup>=%u<br>";

// Vogel's method.
constexpr char kVogelStage[] =
    "<b>Этап %u.</b><br>Определим разности между двумя наименьшими тарифами в каждой строке и "
    "каждом столбце.<br>";
constexpr char kRowWithoutOpenCells[] = "Строка %u: нет свободных клеток<br>";
constexpr char kColumnWithoutOpenCells[] = "Столбец %u: нет свободных клеток<br>";
constexpr char kRowDifference[] = "Строка %u: c<sub>%u,%u</sub> - c<sub>%u,%u</sub> = %lli<br>";
constexpr char kColumnDifference[] =
    "Столбец %u: c<sub>%u,%u</sub> - c<sub>%u,%u</sub> = %lli<br>";
// The "с" of "с<sub>i,j</sub>" here is the Cyrillic letter, unlike in the lines above.
constexpr char kVogelTieRule[] =
    "Если одновременно несколько строк(столбцов) имют одинаковую разницу двух минимальных "
    "тарифов, то выберем строку(столбец), содержащую клетку с наименьшим тарифом "
    "с<sub>i,j</sub><br>";
constexpr char kBestRow[] =
    "Максимальная разница двух минимальных тарифов в строке находится в строке %u.<br>";
constexpr char kBestColumn[] =
    "Максимальная разница двух минимальных тарифов в столбце находится в столбце %u.<br>";
constexpr char kFillCheapestOfLine[] = "Заполняем клетку (%u,%u), имеющую минимальный тариф.<br>";

// Double preference method.
constexpr char kFindMarks[] = "Находим клетки с минимальным тарифом в каждой строке и столбце:<BR>";
constexpr char kRowMark[] = "Строка %u: клетка (%u,%u)<sup>*</sup>, c<sub>%u,%u</sub><sup>*</sup>=%i<BR>";
constexpr char kColumnMark[] =
    "Столбец %u: клетка (%u,%u)<sup>*</sup>, c<sub>%u,%u</sub><sup>*</sup>=%i<BR>";
constexpr char kPlaceDoublyMarked[] =
    "Строка %u и столбец %u содержат одну и ту же клетку с наименьшим тарифом: "
    "(%u,%u)<sup>**</sup>. Помещаем в нее меньшее из чисел: %u и %u.<BR>";
constexpr char kFillMarkedCells[] =
    "Теперь заполним клетки, помеченные символом \"*\", начиная с клеток, имеющих наименьший "
    "тариф.<br>";
constexpr char kPlaceMarked[] = "Поместим в клетку (%u,%u)<sup>*</sup> меньшее из чисел %u и %u.<br>";
constexpr char kFillRemainingCells[] = "Теперь заполним все оставшиеся клетки.<br>";
constexpr char kPlaceRemaining[] = "Помещаем в клетку (%u,%u) меньшее из чисел %u и %u.<br>";

}  // namespace kargolo
