'use strict';
// The browser edition measured beside kargolo-solve on this machine: solves in the page's
// worker against the native program, the page's start, the site's size, the first screen of a
// large report and the tab's memory. Medians of a few runs; nothing here is a test.
//   node bench/web/measure.js [RUNS]     (after scripts/web and a Linux build of kargolo-solve)
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { chromium } = require(path.join(__dirname, '..', '..', 'web', 'node_modules', 'playwright-core'));

const root = path.resolve(__dirname, '..', '..');
const site = path.join(root, 'build-web', 'site');
const native = path.join(root, 'build', 'cli', 'kargolo-solve');
const runs = +(process.argv[2] || 3);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kargolo-bench-'));

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function generate(name, args) {
    const folder = path.join(work, name);
    execFileSync(native, ['--generate', '1', '--out', folder, '--seed', '21', ...args]);
    return path.join(folder, 'variant-01.tab');
}

function nativeSeconds(task, args) {
    const started = process.hrtime.bigint();
    execFileSync(native, [task, '-o', path.join(work, 'native.html'), ...args]);
    return Number(process.hrtime.bigint() - started) / 1e9;
}

// The resident memory of the tab's renderer process (the page and its worker; the largest of
// the browser's renderers), in MB.
function rendererMegabytes() {
    let kb = 0;
    for (const pid of fs.readdirSync('/proc').filter((p) => /^\d+$/.test(p))) {
        try {
            const cmdline = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
            if (!cmdline.includes('--type=renderer') || !cmdline.includes('kargolo-bench-profile')) continue;
            const rss = /VmRSS:\s+(\d+)/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'));
            if (rss) kb = Math.max(kb, +rss[1]);
        } catch (gone) { /* the process ended */ }
    }
    return kb / 1024;
}

async function browser() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kargolo-bench-profile-'));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: '/usr/bin/chromium',
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--no-first-run'],
        viewport: { width: 1200, height: 800 },
    });
    const page = context.pages()[0] || await context.newPage();
    return { context, page, profile };
}

async function open(page) {
    await page.goto('file://' + path.join(site, 'index.html'));
    await page.waitForSelector('body[data-ready=true]');
    return page.evaluate(() => performance.now());
}

// One run in the page: the worker's time, the time to the first screen after the answer, and
// the renderer's peak memory while it ran.
async function pageRun(page, task, settings, restricted) {
    await page.evaluate(() => { performance.clearMarks(); });
    await page.setInputFiles('#open-file', task);
    await page.waitForFunction((name) => Kg.app.active.caption === name, path.basename(task));
    await page.evaluate(({ settings, restricted }) => {
        Object.assign(Kg.app.settings, settings);
        Kg.app.active.restrictions = restricted;
    }, { settings, restricted });
    let peak = 0;
    const sampler = setInterval(() => { peak = Math.max(peak, rendererMegabytes()); }, 100);
    await page.keyboard.press('F9');
    await page.waitForFunction(() => performance.getEntriesByName('kargolo-first-screen').length > 0, null, { timeout: 600000 });
    clearInterval(sampler);
    peak = Math.max(peak, rendererMegabytes());
    const result = await page.evaluate(() => ({
        worker: Kg.app.lastRun.workerMilliseconds / 1000,
        firstScreen: performance.getEntriesByName('kargolo-first-screen')[0].startTime -
            performance.getEntriesByName('kargolo-run-answered')[0].startTime,
        pages: Kg.app.active.layout.pages.length,
        bytes: Kg.app.active.bytes.length,
    }));
    await page.evaluate(async () => { for (const tab of [...Kg.app.tabs]) { tab.saved = true; await Kg.app.closeTab(tab); } });
    return { ...result, peak };
}

(async () => {
    const cases = [
        { name: '1000 x 1000, checking', task: generate('big', ['--size', '1000x1000']), args: ['--mode', 'checking'], settings: { solveMode: 0 } },
        { name: '300 x 300 with limits, checking', task: generate('limits', ['--size', '300x300', '--limits', '30']), args: ['--mode', 'checking', '--limits'], settings: { solveMode: 0 }, restricted: true },
        { name: '60 x 60, detailed (64 MB limit)', task: generate('detailed', ['--size', '60x60']), args: ['--mode', 'detailed', '--max-report-mb', '64'], settings: { solveMode: 1, reportLimitMb: 64 } },
    ];
    if (process.env.KARGOLO_BENCH_WHOLE_REPORT) {
        cases.push({ name: '60 x 60, detailed (1024 MB limit, as the desktop)', task: cases[2].task, args: ['--mode', 'detailed'], settings: { solveMode: 1, reportLimitMb: 1024 } });
    }
    let { context, page } = await browser();
    const starts = [];
    for (let k = 0; k < 5; k++) starts.push(await open(page));
    const siteBytes = fs.readdirSync(site).reduce((sum, name) => sum + fs.statSync(path.join(site, name)).size, 0);
    console.log(`site: ${(siteBytes / 1048576).toFixed(2)} MB; index.html to a usable editor: ${Math.round(median(starts))} ms (median of 5)`);
    for (const c of cases) {
        // Native and page runs take turns, so that whatever else the machine does weighs on both.
        const nativeTimes = [];
        const measured = [];
        for (let k = 0; k < runs; k++) {
            nativeTimes.push(nativeSeconds(c.task, c.args));
            // A browser of its own for each run, so that one run's memory is not another's.
            await context.close();
            ({ context, page } = await browser());
            await open(page);
            measured.push(await pageRun(page, c.task, c.settings, !!c.restricted));
        }
        const nativeTime = median(nativeTimes);
        const worker = median(measured.map((m) => m.worker));
        const ratio = median(measured.map((m, k) => m.worker / nativeTimes[k]));
        console.log(`${c.name}: native ${nativeTime.toFixed(2)} s, page worker ${worker.toFixed(2)} s ` +
            `(${ratio.toFixed(2)}x, median of the runs' ratios); first screen ${Math.round(median(measured.map((m) => m.firstScreen)))} ms after the answer; ` +
            `report ${(measured[0].bytes / 1048576).toFixed(1)} MB in ${measured[0].pages} pages; ` +
            `tab's process peak ${Math.round(Math.max(...measured.map((m) => m.peak)))} MB`);
    }
    await context.close();
})();
