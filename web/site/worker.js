'use strict';
// The solver's worker: solves, stepwise pauses, comparisons and random tasks run here, so the
// page never waits for them. The page makes the worker from this function's text and the core's
// (a page opened from disk cannot start a worker from a file), with kargoloWithText of core.js.
//
// Messages from the page: {op, id, ...}; every answer carries the id it answers. While a run
// goes, the worker sends {op: 'status', lines} with the status lines; a run that stops at a
// stepwise pause answers {paused...}, and goes on with 'edit' and 'decide'.
function KargoloWorker() {
    let core = null;
    const loading = KargoloCore();
    let statusLines = [];
    let statusSent = 0;
    self.kargoloReport = [];
    self.kargoloStatus = (replace, text) => {
        if (replace && statusLines.length) statusLines[statusLines.length - 1] = text; else statusLines.push(text);
        if (statusLines.length > 200) statusLines = statusLines.slice(-100);
        const now = performance.now();
        if (now - statusSent > 100) {
            statusSent = now;
            postMessage({ op: 'status', lines: statusLines.slice(-6) });
        }
    };
    // The page stops a run by ending this worker; a run that is let go is never asked to stop.
    self.kargoloStopRequested = () => false;

    // The report so far as one buffer, given to the page.
    function takeReport() {
        let size = 0;
        for (const piece of self.kargoloReport) size += piece.length;
        const bytes = new Uint8Array(size);
        let at = 0;
        for (const piece of self.kargoloReport) { bytes.set(piece, at); at += piece.length; }
        self.kargoloReport = [];
        return bytes;
    }

    const withText = (text, call) => kargoloWithText(core, text, call);

    function answerRun(id, text) {
        const outcome = JSON.parse(text);
        postMessage({ op: 'status', lines: statusLines.slice(-6) });
        outcome.milliseconds = self.kargoloRunTime;
        if (outcome.done) {
            const bytes = takeReport();
            outcome.report = bytes;
            postMessage({ id, ...outcome }, [bytes.buffer]);
        } else {
            self.kargoloReport = [];
            postMessage({ id, ...outcome });
        }
    }

    const handlers = {
        solve(m) {
            statusLines = ['Статус выполнения:'];
            const s = m.settings;
            return withText(m.grids, (grids) => core.ccall('StartRun', 'string',
                ['number', 'string', 'number', 'number', 'number', 'number', 'number', 'number', 'number', 'number'],
                [grids, m.taskName, m.restricted ? 1 : 0, m.planOnly ? 1 : 0, s.planMethod, s.solveMode,
                    s.solveMethod, s.estimates, s.reportLimitMb, s.otherOptima ? 1 : 0]));
        },
        decide(m) { return core.ccall('DecidePause', 'string', ['number'], [m.decision]); },
    };

    onmessage = async (event) => {
        const m = event.data;
        try {
            core = await loading;
            if (handlers[m.op]) {
                const started = performance.now();
                const text = handlers[m.op](m);
                self.kargoloRunTime = performance.now() - started;
                const outcome = JSON.parse(text);
                if (outcome.refused) postMessage({ id: m.id, ...outcome });
                else answerRun(m.id, text);
            } else if (m.op === 'edit') {
                postMessage({ id: m.id, ...JSON.parse(core.ccall('EditPause', 'string', ['number', 'number', 'string'], [m.row, m.column, m.text])) });
            } else if (m.op === 'picture') {
                postMessage({ id: m.id, svg: core.ccall('PausePicture', 'string', ['string'], [m.caption]) });
            } else if (m.op === 'compare') {
                const text = withText(m.grids, (grids) => core.ccall('Compare', 'string', ['number', 'string', 'number'], [grids, m.taskName, m.limits ? 1 : 0]));
                postMessage({ id: m.id, ...JSON.parse(text) });
            } else if (m.op === 'generate') {
                const o = m.options;
                postMessage({ id: m.id, ...JSON.parse(core.ccall('Generate', 'string',
                    ['number', 'number', 'number', 'number', 'number', 'number', 'number', 'number', 'number', 'number', 'number'],
                    [o.suppliers, o.consumers, o.type, o.degenerate ? 1 : 0, o.lowest, o.highest, o.limitedPercent,
                        o.tightness, o.allowUnsolvable ? 1 : 0, o.unique ? 1 : 0, o.seed])) });
            } else if (m.op === 'warm') {
                // The solver's code compiled to the full before the first task: a first run would
                // otherwise spend most of its time in the browser's quick first compilation.
                const started = performance.now();
                core.ccall('WarmUp', null, [], []);
                postMessage({ id: m.id, warm: true, loaded: started, milliseconds: performance.now() - started });
            }
        } catch (failure) {
            // Out of memory and the like: the page says the run failed, the worker is made anew.
            postMessage({ id: m.id, crashed: String(failure && failure.message || failure) });
        }
    };
}
