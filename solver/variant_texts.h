#pragma once

// Texts of the variants of the task: profit maximisation, forbidden routes, mandatory
// shipments, other optimal plans. All of them are the program's own, written only for tasks
// that use a variant.

namespace kargolo {

constexpr char kMaximiseNote[] =
    "<p><b>Задача на максимум прибыли.</b> В таблице заданы прибыли от перевозки единицы груза. "
    "Чтобы найти план с наибольшей прибылью, решаем задачу на минимум, взяв тарифы с "
    "противоположным знаком: c<sub>i,j</sub> = -p<sub>i,j</sub>. Наименьшее значение F такой "
    "задачи равно наибольшей прибыли со знаком минус.</p>";
constexpr char kMaximumProfit[] = "<BR><b>Максимальная прибыль: %lld</b> (равна -F)<BR>";
constexpr char kFirstPlanProfit[] = "<BR><b>Прибыль опорного плана: %lld</b> (равна -F)<BR>";

constexpr char kForbiddenClosedNote[] =
    "<p><b>Запрещенные маршруты.</b> Маршруты с тарифом M запрещены. При решении с "
    "ограничениями запрещенный маршрут равносилен закрытому, поэтому ограничения таких маршрутов "
    "(их %d) приняты равными нулю.</p>";

constexpr char kForbiddenOnlyNote[] =
    "<p><b>Запрещенные маршруты.</b> Маршруты с тарифом M запрещены (их %d). Запрещенный маршрут "
    "равносилен закрытому, поэтому задача решается как задача с ограничениями: ограничения "
    "запрещенных маршрутов равны нулю, остальные маршруты без ограничений.</p>";
constexpr char kForbiddenUnsolvable[] =
    "<p><b>Задача неразрешима при данных запретах:</b> без запрещенных маршрутов нельзя составить "
    "план перевозок.</p>";

constexpr char kMandatoryNote[] =
    "<p><b>Обязательные поставки.</b> Сначала отправляем обязательные поставки (в таблице они "
    "показаны как перевозки) и уменьшаем на них запасы поставщиков и потребности "
    "потребителей%s. Затем решаем уменьшенную задачу, а к ее оптимальному плану прибавляем "
    "обязательные поставки.</p>";
constexpr char kMandatoryLimitsToo[] = ", а ограничения маршрутов - на те же величины";
constexpr char kReducedSupply[] = "A'<sub>%d</sub> = %d - %lld = %lld<BR>";
constexpr char kReducedDemand[] = "B'<sub>%d</sub> = %d - %lld = %lld<BR>";
constexpr char kReducedTaskHeading[] = "<p><b>Уменьшенная задача.</b></p>";
constexpr char kMandatoryAddedBack[] =
    "<p><b>Итоговый план.</b> Прибавляем обязательные поставки к плану уменьшенной задачи:</p>";
constexpr char kMandatoryFinalF[] =
    "<BR><b>Целевая функция F= %lld</b> (F уменьшенной задачи %lld плюс стоимость "
    "обязательных поставок %lld)<BR>";

constexpr char kOtherOptimum[] =
    "<p><b>Другие оптимальные планы.</b> Оценка %s клетки (%d,%d) равна нулю, а по циклу %s "
    "можно переместить груз величиной в %lld единиц. Такое перемещение не меняет значения "
    "целевой функции, поэтому задача имеет и другой оптимальный план X<sub>2</sub>:</p>";
constexpr char kOtherOptimumFree[] = "свободной";
constexpr char kOtherOptimumAtLimit[] = "заполненной до ограничения";
constexpr char kOtherOptimumInBasis[] = "базисной нулевой";
constexpr char kOtherOptimumF[] = "<BR><b>Целевая функция F= %lld</b><BR>";
constexpr char kOptimaBetween[] =
    "<p>Оптимален и любой план X = &lambda;&middot;X<sub>1</sub> + (1 - &lambda;)&middot;"
    "X<sub>2</sub>, 0 &le; &lambda; &le; 1, где X<sub>1</sub> - план, найденный выше.</p>";
constexpr char kOptimumUnique[] =
    "<p><b>Оптимальный план единственный:</b> оценки всех свободных клеток положительны.</p>";
constexpr char kOptimumUniqueDegenerate[] =
    "<p><b>Оптимальный план единственный:</b> оценки некоторых свободных клеток равны нулю, но "
    "ни по одному их циклу нельзя переместить ненулевой груз, поэтому другого плана с тем же "
    "значением целевой функции нет.</p>";
constexpr char kOptimaNotChecked[] =
    "<p>Проверить, единственный ли оптимальный план, не удалось: потенциалы итогового плана не "
    "найдены.</p>";

}  // namespace kargolo
