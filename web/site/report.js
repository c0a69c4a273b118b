'use strict';
// A report's tab: the report file a run wrote (windows-1251), shown a page at a time with the
// navigator of its sections when it is large, as the desktop's report window shows it. Save
// gives the file's bytes, or, after edits in the edit mode, the report with the edited pages.
var Kg = window.Kg || (window.Kg = {});

Kg.ReportTab = class ReportTab {
    // bytes: the file; index: the run's index as text; svg: the picture of the final plan.
    constructor(app, { bytes, index, caption, editable, svg, fileName }) {
        this.app = app;
        this.core = app.core;
        this.kind = 'report';
        this.caption = caption;
        this.fileName = fileName || caption;
        this.bytes = bytes;
        this.svg = svg || '';
        this.editable = !!editable;
        this.edited = false;
        this.saved = false;
        this.layout = this.core.openReport(bytes, index || '', app.paging.whole, app.paging.page);
        this.pageNumber = -1;
        this.entry = -1;
        this.element = document.createElement('section');
        this.element.className = 'report-tab';
        this.bar = document.createElement('div');
        this.bar.className = 'report-bar';
        const button = (text, title, action) => {
            const b = document.createElement('button');
            b.textContent = text;
            b.title = title;
            b.addEventListener('click', action);
            this.bar.append(b);
            return b;
        };
        this.navButton = button('Разделы', 'Показать или скрыть разделы отчета (F6)', () => this.toggleNavigator());
        this.prevButton = button('◀ Этап', 'Предыдущий этап (Ctrl+PgUp)', () => this.goToStage(-1));
        this.nextButton = button('Этап ▶', 'Следующий этап (Ctrl+PgDn)', () => this.goToStage(1));
        this.answerButton = button('Ответ', 'К ответу (Ctrl+End)', () => this.goToAnswer());
        this.pageLabel = document.createElement('span');
        this.pageLabel.className = 'page-label';
        this.bar.append(this.pageLabel);
        button('Сохранить', 'Сохранить отчет как файл HTML (Ctrl+S)', () => app.command('Save'));
        button('Печать', 'Печать страницы отчета (Ctrl+P)', () => this.print());
        button('Word', 'Сохранить весь отчет как документ Word (.docx)', () => this.saveDocx());
        if (this.svg) button('Схема', 'Схема перевозок (Ctrl+G)', () => app.command('PlanPicture'));
        this.body = document.createElement('div');
        this.body.className = 'report-body';
        this.navigator = document.createElement('nav');
        this.navigator.className = 'navigator';
        this.navigator.title = 'Разделы отчета: щелкните, чтобы перейти';
        this.frame = document.createElement('iframe');
        this.frame.className = 'report-frame';
        this.frame.title = 'Отчет';
        this.body.append(this.navigator, this.frame);
        this.element.append(this.bar, this.body);
        this.fillNavigator();
        this.showPage(0, '');
    }

    title() { return (this.saved ? '' : '*') + this.app.baseName(this.caption); }

    fillNavigator() {
        const entries = this.layout.entries || [];
        this.navigator.replaceChildren();
        entries.forEach((entry, k) => {
            const a = document.createElement('a');
            a.href = '#';
            a.textContent = entry.label;
            a.className = entry.part ? 'part' : 'section';
            a.addEventListener('click', (e) => { e.preventDefault(); this.goToEntry(k); });
            this.navigator.append(a);
        });
        this.navigator.hidden = entries.length === 0 || ReportTab.narrow();
        for (const b of [this.navButton, this.prevButton, this.nextButton, this.answerButton]) b.hidden = entries.length === 0;
    }

    // On a phone the navigator covers the report: it opens on demand and closes after a choice.
    static narrow() { return window.matchMedia('(max-width: 700px)').matches; }

    toggleNavigator() {
        if ((this.layout.entries || []).length) this.navigator.hidden = !this.navigator.hidden;
    }

    // The page's document into the frame; the anchor scrolled to once it is there.
    showPage(page, anchor) {
        if (page === this.pageNumber) {
            this.scrollTo(anchor);
            return;
        }
        this.keepEdits();
        const started = performance.now();
        const text = Kg.decode1251(this.core.reportPage(this.layout.report, page));
        this.pageNumber = page;
        this.frame.onload = () => {
            const doc = this.frame.contentDocument;
            if (this.editable && doc) doc.designMode = 'on';
            if (doc) doc.addEventListener('keydown', (e) => this.app.onKey(e));
            this.pristine = this.bodyText();
            this.scrollTo(anchor);
            this.shownIn = performance.now() - started;
            if (!this.firstShown) performance.mark('kargolo-first-screen');
            this.firstShown = true;
            this.element.dataset.shown = String(page);
        };
        this.frame.srcdoc = text;
        const pages = this.layout.pages.length;
        this.pageLabel.textContent = pages > 1 ? `Страница ${page + 1} из ${pages}: ${this.layout.pages[page]}` : '';
        this.updateStageButtons();
    }

    // What the page's body holds now (between the report's head and its end).
    bodyText() {
        const doc = this.frame.contentDocument;
        return doc && doc.body ? doc.body.innerHTML : '';
    }

    keepEdits() {
        if (!this.editable || this.pageNumber < 0) return;
        const body = this.bodyText();
        if (body && body !== this.pristine) {
            const whole = !(this.layout.entries || []).length && this.layout.pages.length === 1;
            const doc = this.frame.contentDocument;
            const text = whole ? '<!DOCTYPE html>\n' + doc.documentElement.outerHTML : body;
            this.core.setPageEdit(this.layout.report, this.pageNumber, text);
            this.edited = true;
            this.saved = false;
            this.app.tabsChanged();
        }
    }

    scrollTo(anchor) {
        const doc = this.frame.contentDocument;
        if (!doc) return;
        const target = anchor ? doc.getElementById(anchor) : null;
        if (target) target.scrollIntoView(); else if (this.frame.contentWindow) this.frame.contentWindow.scrollTo(0, 0);
    }

    goToEntry(k) {
        const entry = this.layout.entries[k];
        if (!entry) return;
        this.entry = k;
        [...this.navigator.children].forEach((a, i) => a.classList.toggle('current', i === k));
        if (ReportTab.narrow()) this.navigator.hidden = true;
        this.showPage(entry.page, entry.anchor);
        this.updateStageButtons();
    }

    goToStage(direction) {
        const entries = this.layout.entries || [];
        for (let k = this.entry + direction; k >= 0 && k < entries.length; k += direction) {
            if (entries[k].stage) return this.goToEntry(k);
        }
    }

    goToAnswer() {
        const entries = this.layout.entries || [];
        for (let k = entries.length - 1; k >= 0; k--) if (entries[k].stage) return this.goToEntry(k);
    }

    updateStageButtons() {
        const entries = this.layout.entries || [];
        const stages = entries.map((e, k) => (e.stage ? k : -1)).filter((k) => k >= 0);
        this.prevButton.disabled = !stages.some((k) => k < this.entry);
        this.nextButton.disabled = !stages.some((k) => k > this.entry);
    }

    // The file as kargolo-solve writes it; with edits, the report put together with them.
    fileBytes() {
        this.keepEdits();
        return this.edited ? this.core.assembleReport(this.layout.report) : this.bytes;
    }

    print() {
        if (this.frame.contentWindow) this.frame.contentWindow.print();
    }

    // The whole report with its edits as a Word document, into the downloads.
    saveDocx() {
        this.keepEdits();
        const bytes = this.core.reportDocx(this.layout.report);
        if (!bytes) { this.app.message(this.core.docxRefusal()); return; }
        const type = 'application/vnd.openxmlformats-officedocument.wordprocessingml.document';
        this.app.download(new Blob([bytes], { type }), this.app.baseName(this.caption).replace(/\.[^.]*$/, '') + '.docx');
    }

    focus() { this.frame.focus(); }

    state() { return null; }

    close() { this.core.closeReport(this.layout.report); }
};

// A document of the page's own (the comparison of methods), shown like a report of one page.
Kg.comparisonTab = function comparisonTab(app, html, caption) {
    const bytes = app.core.encodeForSaving(html);
    return new Kg.ReportTab(app, { bytes, index: '', caption, editable: false });
};

// The picture of a plan, saved as SVG or PNG.
Kg.PictureTab = class PictureTab {
    constructor(app, svg, caption) {
        this.app = app;
        this.kind = 'picture';
        this.caption = caption;
        this.svg = svg;
        this.saved = true;
        this.element = document.createElement('section');
        this.element.className = 'picture-tab';
        const bar = document.createElement('div');
        bar.className = 'report-bar';
        const button = (text, action) => {
            const b = document.createElement('button');
            b.textContent = text;
            b.addEventListener('click', action);
            bar.append(b);
        };
        this.fit = true;
        button('Сохранить SVG', () => app.download(new Blob([svg], { type: 'image/svg+xml' }), this.fileBase() + '.svg'));
        button('Сохранить PNG', () => this.savePng());
        button('По размеру окна / свой размер', () => { this.fit = !this.fit; this.picture.classList.toggle('fit', this.fit); });
        this.picture = document.createElement('div');
        this.picture.className = 'picture fit';
        this.picture.innerHTML = svg;
        this.element.append(bar, this.picture);
    }

    fileBase() { return this.app.baseName(this.caption).replace(/\.[^.]*$/, '') || 'схема'; }

    title() { return this.caption; }

    savePng() {
        const image = new Image();
        const url = URL.createObjectURL(new Blob([this.svg], { type: 'image/svg+xml' }));
        image.onload = () => {
            const canvas = document.createElement('canvas');
            canvas.width = image.naturalWidth || 800;
            canvas.height = image.naturalHeight || 600;
            const g = canvas.getContext('2d');
            g.fillStyle = '#fff';
            g.fillRect(0, 0, canvas.width, canvas.height);
            g.drawImage(image, 0, 0);
            URL.revokeObjectURL(url);
            canvas.toBlob((blob) => this.app.download(blob, this.fileBase() + '.png'), 'image/png');
        };
        image.src = url;
    }

    focus() {}
    state() { return null; }
    close() {}
};

// The help pages, with their links followed inside the tab.
Kg.HelpTab = class HelpTab {
    constructor(app, page) {
        this.app = app;
        this.kind = 'help';
        this.caption = 'Справка';
        this.saved = true;
        this.element = document.createElement('section');
        this.element.className = 'help-tab';
        const bar = document.createElement('div');
        bar.className = 'report-bar';
        this.search = document.createElement('input');
        this.search.type = 'search';
        this.search.placeholder = 'Поиск в справке';
        this.search.addEventListener('input', () => this.find());
        this.found = document.createElement('span');
        this.found.className = 'found';
        const contents = document.createElement('button');
        contents.textContent = 'Содержание';
        contents.addEventListener('click', () => this.open('index.html'));
        bar.append(contents, this.search, this.found);
        this.frame = document.createElement('iframe');
        this.frame.className = 'report-frame';
        this.frame.title = 'Справка';
        this.element.append(bar, this.frame);
        this.open(page || 'index.html');
    }

    title() { return this.caption; }

    open(name) {
        const text = Kg.helpPages[name];
        if (text === undefined) return;
        this.frame.onload = () => {
            const doc = this.frame.contentDocument;
            doc.addEventListener('click', (e) => {
                const a = e.target.closest('a');
                if (!a) return;
                const href = a.getAttribute('href') || '';
                if (Kg.helpPages[href.split('#')[0]] !== undefined) {
                    e.preventDefault();
                    this.open(href.split('#')[0]);
                }
            });
            doc.addEventListener('keydown', (e) => this.app.onKey(e));
            const style = doc.createElement('style');
            style.textContent = 'body{font-family:system-ui,sans-serif;line-height:1.45;max-width:50em;margin:1em auto;padding:0 1em}mark{background:#ffe066}';
            doc.head.append(style);
            this.find();
        };
        this.frame.srcdoc = text;
    }

    // Marks what the search finds on the page shown and lists the pages that hold it.
    find() {
        const doc = this.frame.contentDocument;
        const wanted = this.search.value.trim().toLowerCase();
        if (!doc || !doc.body) return;
        for (const mark of [...doc.querySelectorAll('mark')]) mark.replaceWith(...mark.childNodes);
        if (!wanted) { this.found.textContent = ''; return; }
        const walker = doc.createTreeWalker(doc.body, NodeFilter.SHOW_TEXT);
        const hits = [];
        while (walker.nextNode()) if (walker.currentNode.nodeValue.toLowerCase().includes(wanted)) hits.push(walker.currentNode);
        for (const node of hits) {
            const at = node.nodeValue.toLowerCase().indexOf(wanted);
            const range = doc.createRange();
            range.setStart(node, at);
            range.setEnd(node, at + wanted.length);
            range.surroundContents(doc.createElement('mark'));
        }
        const first = doc.querySelector('mark');
        if (first) first.scrollIntoView({ block: 'center' });
        const pages = Object.keys(Kg.helpPages).filter((name) => Kg.helpPages[name].replace(/<[^>]*>/g, '').toLowerCase().includes(wanted));
        this.found.replaceChildren(document.createTextNode(pages.length ? 'Найдено на страницах: ' : 'Не найдено'));
        for (const name of pages) {
            const a = document.createElement('a');
            a.href = '#';
            const title = /<title>([^<]*)<\/title>/.exec(Kg.helpPages[name]);
            a.textContent = title ? title[1] : name;
            a.addEventListener('click', (e) => { e.preventDefault(); this.open(name); });
            this.found.append(a, ' ');
        }
    }

    focus() {}
    state() { return null; }
    close() {}
};
