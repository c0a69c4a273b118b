#pragma once

// Texts the solve driver writes into the report and the status lines.

namespace kargolo {

constexpr const char* kPlanHeaders[] = {
    "<BR>Находим опорный план по правилу северо-западного угла:<BR>",
    "<BR>Находим опорный план по правилу минимального элемента:<BR>",
    "<BR>Находим опорный план методом Фогеля:<BR>",
    "<BR>Находим опорный план методом двойного предпочтения:<BR>",
};

constexpr const char* kMethodHeaders[] = {
    "<BR>Решаем задачу распределительным методом:<BR>",
    "<BR>Решаем задачу методом потенциалов:<BR>",
};

constexpr char kGeneralNotation[] =
    "Примем некоторые обозначения: <BR><b>i</b> - индекс строки<br><b>j</b> - индекс "
    "столбца<br><b>m</b> - количество поставщиков<br><b>n</b> - количество потребителей<br><b>"
    "X<sub>i,j</sub></b> - перевозка между поставщиком <b>A<sub>i</sub></b> и потребителем "
    "<b>B<sub>j</sub></b>.<br>";

constexpr char kLimitsNotation[] =
    "<b>D<sub>i,j</sub></b> - ограничение пропускной способности коммуникации между "
    "поставщиком <b>A<sub>i</sub></b> и потребителем <b>B<sub>j</sub></b>.<br><b><font color = "
    "\"#FF0000\">M</font></b> - некоторое число, близкое к бесконечности<br><b><font color = "
    "\"#0000FF\">e</font></b> - некоторое число, близкое к нулю.<br>Красным цветом будем "
    "отображать ограничения пропускных способностей коммуникаций между поставщиками и "
    "потребителями.<BR>Серым цветом будем отображать стоимости перевозок(тарифы).<BR><BR>"
    "Исходная таблица:<BR>";

constexpr char kMaximisationNote[] =
    "<p>Так как все тарифы отрицательны или равны нулю, то задача будет решаться на нахождение "
    "максимального по модулю значения целевой функции. (См. раздел файла помощи \"ПРИЛОЖЕНИЯ "
    "ТРАНСПОРТНОЙ ЗАДАЧИ К РЕШЕНИЮ НЕКОТОРЫХ ЭКОНОМИЧЕСКИХ ЗАДАЧ, оптимальное закрепление за "
    "станками операций по обработке деталей\")</p>";

constexpr char kClosedTypeNote[] =
    "Транспортная задача имеет закрытый тип, так как суммарный запас груза равен суммарным "
    "потребностям.";

constexpr char kFictitiousConsumerNote[] =
    "<BR>Транспортная задача является открытой, так как запас груза больше потребностей на %u "
    "единиц. Приведем задачу к закрытому типу - введем фиктивного потребителя <b>B%u</b>.<BR>";

constexpr char kFictitiousSupplierNote[] =
    "<BR>Транспортная задача является открытой, так как запас груза меньше потребностей на %u "
    "единиц. Приведем задачу к закрытому типу - Введем фиктивного поставщика <b>A%u</b>.<BR>";

constexpr char kClosedRoutesNote[] =
    "<p>В таблице имеются клетки с нулевыми ограничениями. При решении задачи исключим их из "
    "рассмотрения, так как они, имея нулевые перевозки на любом этапе решения, не смогут "
    "повлиять на конечный результат.</p>";

constexpr char kRestrictedPlanHeader[] =
    "<BR>Находим опорный план для задачи с ограничениями.<BR>";

constexpr char kFirstPlanF[] = "<BR><b>Целевая функция F=%lld</b><p>";

constexpr char kStepwiseBanner[] = "<p align=center><b>ПОШАГОВЫЙ РЕЖИМ</b></p>";

// The c before "ограничениями" is the Latin letter c, as the report has always written it.
constexpr char kRestrictedMethodHeader[] =
    "<BR>Решаем задачу c ограничениями методом потенциалов:<BR>";

constexpr char kAbortedByUser[] = "<BR><b>Решение задачи прервано пользователем.</b><BR>";

constexpr char kRestrictedSolved[] =
    "<BR>Так как все условия оптимальности выполнены, то полученный план является "
    "оптимальным.<BR>Транспортная задача решена.<BR>";

constexpr char kSolved[] =
    "<BR>Так как все оценки <b>S<sub>i,j</sub></b>&gt;=0, то полученный план является "
    "оптимальным.<BR>Транспортная задача решена.<BR>";

constexpr char kFinalF[] = "<BR><b>Целевая функция F= %lld</b>";

constexpr char kCargoLeftWithSupplier[] =
    "<BR>%u единиц груза из хранилища A%u осталось нераспределенным.";
constexpr char kCargoNotDelivered[] = "<BR>%u единиц груза потребителю B%u не поставлено.";

constexpr char kStatusFindingPlan[] = "Находим опорный план";
constexpr char kStatusObjective[] = "Целевая функция F=%lld";
constexpr char kStatusFinished[] = "Решение завершено. Создается файл решения...";

// Refusals of a task that a run cannot take.
constexpr char kNegativeSupply[] =
    "Запас груза поставщика A%u отрицателен (%i). Запасы груза не могут быть отрицательными.";
constexpr char kNegativeDemand[] =
    "Потребность потребителя B%u отрицательна (%i). Потребности не могут быть отрицательными.";
constexpr char kTotalSupplyTooLarge[] =
    "Суммарный запас груза больше 2147483647 единиц. Такую задачу решить нельзя.";
constexpr char kTotalDemandTooLarge[] =
    "Суммарная потребность больше 2147483647 единиц. Такую задачу решить нельзя.";

}  // namespace kargolo
