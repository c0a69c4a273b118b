#pragma once

// Messages of the table files and of the conversion of a task's grids into numbers.

namespace kargolo {

constexpr char kReadErrorText[] = "Ошибка чтения файла.";
constexpr char kExpectedEndText[] = "Ожидался конец файла.";
constexpr char kOpenErrorText[] = "Ошибка открытия файла данных.";
constexpr char kOutputOpenErrorText[] = "Ошибка открытия выходного файла решения.";
constexpr char kOutOfMemoryText[] = "Фатальная ошибка - не хватает памяти.";
constexpr char kCreateErrorText[] = "Ошибка создания выходного файла.";
constexpr char kReadOnlyOutputText[] = "Файл защищен от записи и оставлен как есть.";
constexpr char kBadSizeText[] = "Невозможно создать таблицу размера %i на %i";

// A grid number outside the 32-bit range: the text as typed, then where it stands.
constexpr char kNumberOutOfRange[] =
    "Число \"%s\" %s не помещается в 32 бита: допустимы числа от -2147483648 до 2147483647.";
constexpr char kInSupply[] = "в запасе поставщика A%u";
constexpr char kInDemand[] = "в потребности потребителя B%u";
constexpr char kInTariff[] = "в тарифе клетки (%u,%u)";
constexpr char kInMatrix[] = "в элементе (%u,%u) матрицы";
constexpr char kInLimit[] = "в ограничении клетки (%u,%u)";
constexpr char kInMandatory[] = "в обязательной поставке клетки (%u,%u)";

constexpr char kTimeNoMaximum[] =
    "В задаче по критерию времени время перевозок только сокращают: цель \"максимум\" для нее не задается.";
constexpr char kTimeNoMandatory[] = "Задача по критерию времени решается без обязательных поставок.";
constexpr char kMandatoryNegative[] = "Обязательная поставка в клетке (%d,%d) не может быть отрицательной.";
constexpr char kMandatoryOnForbidden[] =
    "Обязательная поставка в клетке (%d,%d) невозможна: маршрут запрещен (тариф M).";
constexpr char kMandatoryOverLimit[] =
    "Обязательная поставка %d в клетке (%d,%d) больше ограничения этого маршрута %d.";
constexpr char kMandatoryOverSupply[] =
    "Обязательные поставки поставщика A%d (всего %lld) больше его запаса %d.";
constexpr char kMandatoryOverDemand[] =
    "Обязательные поставки потребителю B%d (всего %lld) больше его потребности %d.";

// The task editor's refusals.
constexpr char kLimitMustBePositive[] = "Число должно быть > 0";
constexpr char kMandatoryMustNotBeNegative[] = "Обязательная поставка не может быть отрицательной";
// Refused while typing: digits beyond the 32-bit range (a text of our own).
constexpr char kNumberTooLarge[] = "Число должно быть от -2147483648 до 2147483647";
constexpr char kTooFewLines[] = "Число строк или колонок таблицы должно быть больше 2";

// Text task files: where the fault is, then what it is.
constexpr char kTextAt[] = "Строка %u, столбец %u: %s";
constexpr char kTextNoTask[] = "в файле нет задачи.";
constexpr char kTextTooFewColumns[] =
    "в строке тарифов нужно не меньше трех значений: тарифы двух потребителей и запас.";
constexpr char kTextMissingValue[] =
    "значений меньше, чем нужно: %u в строке тарифов (тарифы и запас) или %u в строке "
    "потребностей.";
constexpr char kTextExtraValue[] = "лишнее значение: в строке тарифов %u значений (тарифы и запас).";
constexpr char kTextLimitsCount[] = "в строке ограничений должно быть %u значений.";
constexpr char kTextNoDemands[] = "нет строки потребностей.";
constexpr char kTextTooFewSuppliers[] = "нужно не меньше двух поставщиков (строк тарифов).";
constexpr char kTextTooFewLimitLines[] = "строк ограничений должно быть %u, а их %u.";
constexpr char kTextExtraLine[] = "лишняя строка после ограничений.";
constexpr char kTextEmptyValue[] = "пустое значение.";
constexpr char kTextNotNumber[] = "\"%s\" - не целое число.";
constexpr char kTextNotLimit[] = "\"%s\" - не целое число и не M.";
constexpr char kTextOutOfRange[] =
    "число \"%s\" не помещается в 32 бита: допустимы числа от -2147483648 до 2147483647.";
constexpr char kTextNegativeSupply[] = "запас не может быть отрицательным.";
constexpr char kTextNegativeDemand[] = "потребность не может быть отрицательной.";
constexpr char kTextNegativeLimit[] = "ограничение не может быть отрицательным.";
constexpr char kTextNegativeMandatory[] = "обязательная поставка не может быть отрицательной.";
constexpr char kTextMandatoryCount[] = "в строке обязательных поставок должно быть %u значений.";
constexpr char kTextExtraMandatoryLine[] = "лишняя строка после обязательных поставок.";
constexpr char kTextTooFewMandatoryLines[] = "строк обязательных поставок должно быть %u, а их %u.";
constexpr char kTextBadGoal[] = "после слова \"цель\" должно стоять \"максимум\" или \"минимум\".";
constexpr char kTextGoalFirst[] = "строка цели должна быть первой строкой задачи.";
constexpr char kTextBadKind[] =
    "после слова \"вид\" должно стоять \"транспортная\", \"критерий времени\" или \"назначения\".";
constexpr char kTextKindFirst[] = "строка вида задачи должна быть первой строкой файла.";
constexpr char kTextBlockAfterDemands[] =
    "строка \"ограничения\" или \"обязательные поставки\" должна идти после строки потребностей.";

// Matrix files of the assignment problem, after "Строка %u, столбец %u: ".
constexpr char kMatrixNoValues[] = "в файле нет матрицы.";
constexpr char kMatrixRowLength[] =
    "в каждой строке матрицы должно быть %u значений, как в первой.";
constexpr char kMatrixTooWide[] = "в строке матрицы больше %u значений.";
constexpr char kMatrixTooLong[] = "в матрице больше %u строк.";

}  // namespace kargolo
