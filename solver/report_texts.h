#pragma once

// The fixed texts of the report document: its frame and the emphasis spans.

namespace kargolo {

constexpr char kReportHead[] =
    "<html><head><Title>Карголо 2.0 - решение транспортной задачи</title>"
    "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
    "<STYLE type=text/css><!--"
    "body {font: 10pt Arial, Helvetica, sans-serif;} "
    "table {font: 10pt Arial, Helvetica, sans-serif;} "
    ".cellA {width: 30pt; font-weight: bold; text-align: center;} "
    ".cellR {color: #dc143c; text-align: right; font: 8pt;} "
    ".cellC {color: #888888; text-align: right; font: 8pt;} "
    ".cellX {font-size: 12pt; font-weight: bold; text-align: left;} "
    ".sign {font-size: 14pt; font-weight: bold; text-align: center;} "
    ".cellXR {font-size: 12pt; font-weight: bold; text-align: left; color: #0000FF;} "
    ".mtable {height: 100%; width: 100%; border: 0px; padding: 0px; margin: 0px; "
    "cell-spacing: 2;} "
    ".cargo {background-color: #999999; padding-left: 5pt;}"
    "--></STYLE>"
    "</head><body>";

constexpr char kReportFooter[] =
    "<p><HR><BR><font face=\"Arial, Helvetica, sans-serif\" size=2><i>Файл создан программой "
    "Карголо 2.0 &mdash; решение транспортной задачи. Разработчики Карголо, 2026.</i> "
    "<a href=\"mailto:team@kargolo.example\">team@kargolo.example</a></font></p>";

constexpr char kDocumentEnd[] = "</body></html>";

constexpr char kRedSpan[] = "<SPAN STYLE=\"color:red; font-weight: bold\">";
constexpr char kBlueSpan[] = "<SPAN STYLE=\"color:blue; font-weight: bold\">";
constexpr char kSpanEnd[] = "</SPAN>";

// Written once when a report reaches its size limit at the start of a stage.
constexpr char kCourseCutAtLimit[] =
    "<p><i>Отчет достиг предельного размера (%u МБ), поэтому ход решения начиная с этапа %u "
    "не записывается. Решение продолжается в проверочном режиме; итоговый план и значение "
    "целевой функции приведены ниже. Условие задачи, опорный план и ответ записываются всегда, "
    "поэтому отчет может оказаться больше предельного размера.</i></p>";

constexpr char kTableProgressLine[] = "Вывод таблицы: строка %u из %u";

}  // namespace kargolo
