'use strict';
// The core (WebAssembly) as the page calls it: the task documents, the task files and the
// report's pages live in the page's own instance; solves run in the worker's (worker.js).
var Kg = window.Kg || (window.Kg = {});

Kg.loadCore = async function loadCore() {
    const core = await KargoloCore();
    const fn = (name, result, args) => core.cwrap(name, result, args);
    const text = (name, args) => fn(name, 'string', args);
    const num = (name, args) => fn(name, 'number', args);
    const bytesOfResult = () => core.HEAPU8.slice(core._ResultBytes(), core._ResultBytes() + core._ResultSize());
    const json = (f) => (...args) => JSON.parse(f(...args));
    // Bytes into the core's memory for one call.
    const withBytes = (bytes, call) => {
        const at = core._malloc(Math.max(1, bytes.length));
        try {
            core.HEAPU8.set(bytes, at);
            return call(at, bytes.length);
        } finally {
            core._free(at);
        }
    };
    const withText = (text, call) => kargoloWithText(core, text, call);
    const paste = fn('Paste', null, ['number', 'number', 'number', 'number', 'number', 'number']);
    const fromText = num('DocumentFromText', ['number']);
    const setPageEdit = fn('SetPageEdit', null, ['number', 'number', 'number']);
    const readTask = fn('ReadTask', 'string', ['string', 'number', 'number']);
    const writeTask = num('WriteTask', ['number', 'string']);
    const openReport = fn('OpenReport', 'string', ['string', 'string', 'number', 'number']);
    const reportPage = num('ReportPageBytes', ['number', 'number']);
    const assemble = num('AssembleReport', ['number']);
    const encode = num('EncodeForSaving', ['number']);
    const reportDocx = num('ReportDocx', ['number']);
    return {
        raw: core,
        // kind: 0 the transportation task, 1 by the time criterion, 2 the assignment problem.
        newDocument: num('NewDocument', ['number', 'number', 'number']),
        documentKind: num('DocumentKind', ['number']),
        copyDocument: num('CopyDocument', ['number']),
        assignDocument: fn('AssignDocument', null, ['number', 'number']),
        freeDocument: fn('FreeDocument', null, ['number']),
        suppliers: num('Suppliers', ['number']),
        consumers: num('Consumers', ['number']),
        cellText: text('CellText', ['number', 'number', 'number', 'number']),
        blockText: text('BlockText', ['number', 'number', 'number', 'number', 'number', 'number']),
        setCellText: fn('SetCellText', null, ['number', 'number', 'number', 'number', 'string']),
        checkTyping: text('CheckTyping', ['string', 'number']),
        checkPlanTyping: text('CheckPlanTyping', ['string']),
        checkOnEnter: json(text('CheckOnEnter', ['number', 'number', 'number', 'number'])),
        checkOnLeaving: json(text('CheckOnLeaving', ['number', 'number', 'number', 'number', 'number', 'number'])),
        leavePage: fn('LeavePage', null, ['number', 'number']),
        goal: num('Goal', ['number']),
        setGoal: num('SetGoal', ['number', 'number']),
        insertRow: fn('InsertRow', null, ['number', 'number']),
        insertColumn: fn('InsertColumn', null, ['number', 'number']),
        deleteRow: text('DeleteRow', ['number', 'number']),
        deleteColumn: text('DeleteColumn', ['number', 'number']),
        negateTariffs: fn('NegateTariffs', null, ['number']),
        transpose: fn('TransposeTask', null, ['number']),
        paste: (id, grid, c, r, text, whole) => withText(text, (at) => paste(id, grid, c, r, at, whole)),
        isNewTask: num('IsNewTask', ['number']),
        documentText: text('DocumentText', ['number']),
        documentFromText: (text) => withText(text, fromText),
        // {document, limits} or {message} for a file the program cannot read.
        readTask: (name, bytes) => JSON.parse(withBytes(bytes, (at, size) => readTask(name, at, size))),
        writeTask: (id, name) => { writeTask(id, name); return bytesOfResult(); },
        // A report file (windows-1251 bytes) with the index its run recorded: its pages and its
        // navigator.
        openReport: (bytes, index, whole, page) => {
            const path = '/report-' + (Kg.loadCore.reports = (Kg.loadCore.reports || 0) + 1) + '.html';
            core.FS.writeFile(path, bytes, { canOwn: true });
            return JSON.parse(openReport(path, index, whole, page));
        },
        reportPage: (id, page) => { reportPage(id, page); return bytesOfResult(); },
        setPageEdit: (id, page, body) => withText(body, (at) => setPageEdit(id, page, at)),
        assembleReport: (id) => { assemble(id); return bytesOfResult(); },
        closeReport: fn('CloseReport', null, ['number']),
        encodeForSaving: (textUtf8) => { withText(textUtf8, encode); return bytesOfResult(); },
        // The report with its edits as a Word document, or null when it is too large for one.
        reportDocx: (id) => (reportDocx(id) ? bytesOfResult() : null),
        docxRefusal: text('DocxRefusal', []),
    };
};

// A text through the core's heap (ccall would put it on the stack, which holds a few megabytes,
// and a task of a million cells is more). Shared with the worker.
function kargoloWithText(core, text, call) {
    const bytes = new TextEncoder().encode(text);
    const at = core._malloc(bytes.length + 1);
    try {
        core.HEAPU8.set(bytes, at);
        core.HEAPU8[at + bytes.length] = 0;
        return call(at);
    } finally {
        core._free(at);
    }
}

// windows-1251 bytes as text.
Kg.decode1251 = (bytes) => new TextDecoder('windows-1251').decode(bytes);
