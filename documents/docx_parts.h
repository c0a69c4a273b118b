#pragma once

// The fixed parts of the Word documents the program writes: the package's content types and
// relationships, the settings and the styles. The styles name the looks of the report's classes
// (the cells of the transport table, the row and column names) so that each paragraph and table
// refers to one instead of repeating it.

namespace kargolo {

constexpr char kXmlDeclaration[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

constexpr char kContentTypesPart[] =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/"
    "vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>";

constexpr char kPackageRelationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/"
    "metadata/core-properties\" Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/extended-properties\" Target=\"docProps/app.xml\"/>"
    "</Relationships>";

constexpr char kDocumentRelationships[] =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/settings\" Target=\"settings.xml\"/>"
    "</Relationships>";

constexpr char kCorePropertiesStart[] =
    "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/"
    "core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
    "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dc:title>";
constexpr char kCorePropertiesEnd[] =
    "</dc:title><dc:creator>Карголо 2.0</dc:creator></cp:coreProperties>";

constexpr char kAppProperties[] =
    "<Properties "
    "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
    "<Application>Карголо 2.0</Application></Properties>";

constexpr char kSettingsPart[] =
    "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:defaultTabStop w:val=\"708\"/><w:characterSpacingControl w:val=\"doNotCompress\"/>"
    "<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
    "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
    "</w:settings>";

constexpr char kDocumentStart[] =
    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
// A4 with margins of 2 cm, upright or on its side.
constexpr char kPortraitSection[] =
    "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" w:right=\"1134\" "
    "w:bottom=\"1134\" w:left=\"1134\" w:header=\"567\" w:footer=\"567\" "
    "w:gutter=\"0\"/></w:sectPr>";
constexpr char kLandscapeSection[] =
    "<w:sectPr><w:pgSz w:w=\"16838\" w:h=\"11906\" w:orient=\"landscape\"/><w:pgMar w:top=\"1134\" "
    "w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" w:header=\"567\" w:footer=\"567\" "
    "w:gutter=\"0\"/></w:sectPr>";
constexpr char kDocumentEnd[] = "</w:body></w:document>";

#define KARGOLO_CELL_MARGINS(side, top)                                                 \
    "<w:tblCellMar><w:top w:w=\"" top "\" w:type=\"dxa\"/><w:left w:w=\"" side          \
    "\" w:type=\"dxa\"/><w:bottom w:w=\"" top "\" w:type=\"dxa\"/><w:right w:w=\"" side \
    "\" "                                                                               \
    "w:type=\"dxa\"/></w:tblCellMar>"

constexpr char kStylesPart[] =
    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" "
    "w:eastAsia=\"Arial\" w:cs=\"Arial\"/><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/>"
    "<w:lang w:val=\"ru-RU\" w:eastAsia=\"en-US\" w:bidi=\"ar-SA\"/></w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr>"
    "</w:pPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
    "<w:qFormat/></w:style>"
    "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\"><w:name w:val=\"Normal "
    "Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/><w:tblPr><w:tblInd w:w=\"0\" "
    "w:type=\"dxa\"/>" KARGOLO_CELL_MARGINS("108", "0") "</w:tblPr></w:style>"
    // The names of rows and columns (A1, B1).
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgCellA\"><w:name "
    "w:val=\"Карголо: поставщик, потребитель\"/><w:basedOn w:val=\"Normal\"/><w:pPr><w:jc "
    "w:val=\"center\"/></w:pPr><w:rPr><w:b/></w:rPr></w:style>"
    // A cell of the transport table: its tariff, its limit, its quantity and its cycle sign.
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgCellC\"><w:name "
    "w:val=\"Карголо: тариф\"/><w:basedOn w:val=\"Normal\"/><w:pPr><w:jc w:val=\"right\"/></w:pPr>"
    "<w:rPr><w:color w:val=\"888888\"/><w:sz w:val=\"16\"/><w:szCs w:val=\"16\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgCellR\"><w:name "
    "w:val=\"Карголо: ограничение\"/><w:basedOn w:val=\"Normal\"/><w:pPr><w:jc w:val=\"right\"/>"
    "</w:pPr><w:rPr><w:color w:val=\"DC143C\"/><w:sz w:val=\"16\"/><w:szCs w:val=\"16\"/></w:rPr>"
    "</w:style>"
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgCellX\"><w:name "
    "w:val=\"Карголо: перевозка\"/><w:basedOn w:val=\"Normal\"/><w:rPr><w:b/><w:sz w:val=\"24\"/>"
    "<w:szCs w:val=\"24\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgCellXR\"><w:name "
    "w:val=\"Карголо: базисная перевозка\"/><w:basedOn w:val=\"KgCellX\"/><w:rPr><w:color "
    "w:val=\"0000FF\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgSign\"><w:name "
    "w:val=\"Карголо: знак цикла\"/><w:basedOn w:val=\"Normal\"/><w:pPr><w:jc w:val=\"center\"/>"
    "</w:pPr><w:rPr><w:b/><w:sz w:val=\"28\"/><w:szCs w:val=\"28\"/></w:rPr></w:style>"
    // The paragraph a cell needs after a table inside it: as low as a paragraph can be.
    "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"KgTight\"><w:name "
    "w:val=\"Карголо: пустая строка\"/><w:basedOn w:val=\"Normal\"/><w:pPr><w:spacing "
    "w:line=\"20\" w:lineRule=\"exact\"/></w:pPr><w:rPr><w:sz w:val=\"2\"/><w:szCs w:val=\"2\"/>"
    "</w:rPr></w:style>"
    "<w:style w:type=\"table\" w:customStyle=\"1\" w:styleId=\"KgGrid\"><w:name w:val=\"Карголо: "
    "таблица\"/><w:basedOn w:val=\"TableNormal\"/><w:tblPr><w:tblBorders>"
    "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
    "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/></w:tblBorders>"
    KARGOLO_CELL_MARGINS("40", "15") "</w:tblPr></w:style>"
    "<w:style w:type=\"table\" w:customStyle=\"1\" w:styleId=\"KgPlain\"><w:name w:val=\"Карголо: "
    "таблица без линий\"/><w:basedOn w:val=\"TableNormal\"/><w:tblPr>"
    KARGOLO_CELL_MARGINS("40", "15") "</w:tblPr></w:style>"
    "<w:style w:type=\"table\" w:customStyle=\"1\" w:styleId=\"KgPlanCell\"><w:name "
    "w:val=\"Карголо: клетка плана\"/><w:basedOn w:val=\"TableNormal\"/><w:tblPr>"
    KARGOLO_CELL_MARGINS("20", "0") "</w:tblPr></w:style>"
    "</w:styles>";

#undef KARGOLO_CELL_MARGINS

}  // namespace kargolo
