'use strict';
// The page: menus, tool buttons and tabs over the task editors, reports, pictures and help; the
// settings; the worker that solves; the task and settings kept across a reload.
var Kg = window.Kg || (window.Kg = {});

// In a browser tab the report lives in memory (no disk to stream it to), and the tab shares the
// browser's memory with the others: 64 MB is a report of hundreds of pages, and a 60 x 60 task
// in the detailed mode (470 MB in all) still gets its answer within it.
Kg.defaultSettings = {
    planMethod: 0, solveMode: 1, solveMethod: 1, estimates: 0, editingMode: false, reportLimitMb: 64,
    otherOptima: false,
};
Kg.storageKey = 'kargolo-2';

// Shortcuts: where the browser keeps a key for itself (Ctrl+N, Ctrl+T, Ctrl+W), Alt takes it.
Kg.commands = {
    New: { text: 'Создать: транспортная задача', keys: 'Alt+N' },
    NewTime: { text: 'Создать: транспортная задача по критерию времени', hint: 'В таблице - времена перевозок; ищется план, при котором самая долгая из используемых перевозок как можно короче' },
    NewAssignment: { text: 'Создать: задача о назначениях', hint: 'Матрица стоимостей (или эффектов) назначения исполнителей на работы; решается венгерским методом' },
    Open: { text: 'Открыть...', keys: 'Ctrl+O' },
    Save: { text: 'Сохранить', keys: 'Ctrl+S' },
    SaveAs: { text: 'Сохранить как...', keys: 'Ctrl+Shift+S' },
    Print: { text: 'Печать...', keys: 'Ctrl+P' },
    Close1: { text: 'Закрыть', keys: 'Alt+W' },
    CloseAll1: { text: 'Закрыть все' },
    FindPlan: { text: 'Найти опорный план', keys: 'F8' },
    SolveTask: { text: 'Решить задачу', keys: 'F9' },
    CompareMethods: { text: 'Сравнить методы', keys: 'Shift+F9', hint: 'Решить задачу всеми правилами опорного плана и методами улучшения и сравнить их в одной таблице' },
    PlanPicture: { text: 'Схема перевозок', keys: 'Ctrl+G', hint: 'Нарисовать оптимальный план отчета: поставщики, потребители и перевозки' },
    RandomTask: { text: 'Случайная задача...', keys: 'Ctrl+Shift+N', hint: 'Создать случайную задачу для упражнения' },
    ProgramSettings: { text: 'Настройки' },
    Undo: { text: 'Отменить', keys: 'Ctrl+Z' },
    Redo: { text: 'Повторить', keys: 'Ctrl+Y' },
    MainInsertRow: { text: 'Добавить строку', keys: 'Insert' },
    MainInsertColumn: { text: 'Добавить колонку', keys: 'Shift+Insert' },
    MainDeleteRow: { text: 'Удалить строку', keys: 'Delete' },
    MainDeleteColumn: { text: 'Удалить колонку', keys: 'Shift+Delete' },
    MainInverseSign: { text: 'Изменить знаки тарифов', keys: 'Ctrl+I' },
    Transponate: { text: 'Транспонировать', keys: 'Alt+T' },
    ShowHideRestrictions: { text: 'Решать с ограничениями', keys: 'Ctrl+R', check: true },
    Contents: { text: 'Содержание', keys: 'F1' },
    About: { text: 'About...' },
};

Kg.menus = [
    ['Файл', ['New', 'NewTime', 'NewAssignment', '', 'Open', 'Save', 'SaveAs', '', 'Print', '', 'Close1', 'CloseAll1']],
    ['Задача', ['FindPlan', 'SolveTask', 'CompareMethods', 'PlanPicture', '', 'RandomTask', '', 'ProgramSettings']],
    ['Таблица', ['Undo', 'Redo', '', 'MainInsertRow', 'MainInsertColumn', '', 'MainDeleteRow', 'MainDeleteColumn', '',
        'MainInverseSign', 'Transponate', '', 'ShowHideRestrictions']],
    ['Окно', []],
    ['Помощь', ['Contents', 'About']],
];

Kg.App = class App {
    constructor(core) {
        this.core = core;
        this.tabs = [];
        this.active = null;
        this.taskWindows = 0;
        this.reportWindows = 0;
        this.paging = { whole: 512 * 1024, page: 512 * 1024 };
        this.settings = { ...Kg.defaultSettings };
        this.requests = new Map();
        this.lastRequest = 0;
        this.running = false;
        this.exerciseOptions = null;
        this.stepwise = new Kg.Stepwise(this);
        this.buildMenus();
        this.bindPage();
        this.startWorker();
        this.restore();
        if (!this.tabs.length) this.newTask();
        document.getElementById('loading').remove();
        this.updateCommands();
    }

    // ---- The worker ------------------------------------------------------------------------

    startWorker() {
        const source = 'var _scriptDir;\nvar KargoloCore = (' + KargoloCore.toString() + ');\n' +
            kargoloWithText.toString() + '\n(' + KargoloWorker.toString() + ')();\n';
        this.worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
        this.worker.onmessage = (e) => {
            const m = e.data;
            if (m.op === 'status') { this.showStatus(m.lines); return; }
            const pending = this.requests.get(m.id);
            if (!pending) return;
            this.requests.delete(m.id);
            if (m.crashed) {
                this.restartWorker();
                pending.reject(new Error(m.crashed));
            } else {
                pending.resolve(m);
            }
        };
        this.worker.onerror = () => { this.restartWorker(); };
        const started = performance.now();
        this.request({ op: 'warm' }).then((m) => { this.warmedIn = performance.now() - started; this.warmUp = m; }, () => {});
    }

    restartWorker() {
        this.worker.terminate();
        for (const [, pending] of this.requests) pending.reject(new Error('stopped'));
        this.requests.clear();
        this.startWorker();
    }

    request(message) {
        const id = ++this.lastRequest;
        return new Promise((resolve, reject) => {
            this.requests.set(id, { resolve, reject });
            const transfer = message.transfer || [];
            delete message.transfer;
            this.worker.postMessage({ ...message, id }, transfer);
        });
    }

    // ---- Menus, keys, the page --------------------------------------------------------------

    buildMenus() {
        const bar = document.getElementById('menubar');
        this.menuItems = {};
        for (const [title, names] of Kg.menus) {
            const menu = document.createElement('div');
            menu.className = 'menu';
            const head = document.createElement('button');
            head.className = 'menu-head';
            head.textContent = title;
            const list = document.createElement('div');
            list.className = 'menu-list';
            list.hidden = true;
            if (title === 'Окно') this.windowMenu = list;
            for (const name of names) list.append(name ? this.menuItem(name) : document.createElement('hr'));
            head.addEventListener('click', (e) => {
                e.stopPropagation();
                const open = list.hidden;
                this.closeMenus();
                if (open) { this.updateCommands(); if (list === this.windowMenu) this.fillWindowMenu(); list.hidden = false; }
            });
            head.addEventListener('mouseenter', () => {
                if (document.querySelector('.menu-list:not([hidden])') && list.hidden) head.click();
            });
            menu.append(head, list);
            bar.append(menu);
        }
        document.addEventListener('click', () => this.closeMenus());
        for (const b of document.querySelectorAll('#toolbar [data-command]')) {
            b.addEventListener('click', () => this.command(b.dataset.command));
        }
    }

    menuItem(name) {
        const c = Kg.commands[name];
        const item = document.createElement('button');
        item.className = 'menu-item';
        item.dataset.command = name;
        item.innerHTML = '<span class="mark"></span><span class="text"></span><span class="keys"></span>';
        item.querySelector('.text').textContent = c.text;
        item.querySelector('.keys').textContent = c.keys || '';
        if (c.hint) item.title = c.hint;
        item.addEventListener('click', (e) => {
            e.stopPropagation();
            this.closeMenus();
            this.command(name);
        });
        (this.menuItems[name] = this.menuItems[name] || []).push(item);
        return item;
    }

    closeMenus() { for (const list of document.querySelectorAll('.menu-list')) list.hidden = true; }

    fillWindowMenu() {
        this.windowMenu.replaceChildren();
        this.tabs.forEach((tab, k) => {
            const item = document.createElement('button');
            item.className = 'menu-item';
            item.innerHTML = '<span class="mark"></span><span class="text"></span><span class="keys"></span>';
            item.querySelector('.mark').textContent = tab === this.active ? '✓' : '';
            item.querySelector('.text').textContent = `${k + 1} ${tab.title()}`;
            item.addEventListener('click', () => { this.closeMenus(); this.activate(tab); });
            this.windowMenu.append(item);
        });
    }

    // The commands a moment allows: those of a task editor on a task, a report's on a report.
    enabled(name) {
        const tab = this.active;
        const task = tab && tab.kind === 'task';
        const report = tab && tab.kind === 'report';
        // While the worker solves, everything but another run goes on as usual.
        if (this.running && ['FindPlan', 'SolveTask', 'CompareMethods', 'RandomTask'].includes(name)) return false;
        switch (name) {
            case 'Print': return report;
            case 'Save': case 'SaveAs': return task || report;
            case 'Close1': case 'CloseAll1': return this.tabs.length > 0;
            case 'PlanPicture': return report && !!tab.svg;
            case 'Undo': return task && tab.undo.length > 0;
            case 'Redo': return task && tab.redo.length > 0;
            case 'FindPlan': case 'CompareMethods': case 'ShowHideRestrictions':
                return task && !tab.isAssignment();  // a matrix has no plan to find, no methods and no limits
            case 'SolveTask': case 'MainInsertRow': case 'MainInsertColumn':
            case 'MainDeleteRow': case 'MainDeleteColumn': case 'MainInverseSign': case 'Transponate':
                return task;
            default: return true;
        }
    }

    updateCommands() {
        for (const [name, items] of Object.entries(this.menuItems)) {
            for (const item of items) {
                item.disabled = !this.enabled(name);
                if (Kg.commands[name].check) item.querySelector('.mark').textContent = this.active && this.active.restrictions ? '✓' : '';
            }
        }
        for (const b of document.querySelectorAll('#toolbar [data-command]')) b.disabled = !this.enabled(b.dataset.command);
        const undo = this.menuItems.Undo[0];
        const tab = this.active;
        undo.title = tab && tab.undo && tab.undo.length ? 'Отменить: ' + (tab.undo[tab.undo.length - 1].label || 'ввод в клетку') : '';
    }

    keyName(e) {
        let key = e.key.length === 1 ? e.key.toUpperCase() : e.key;
        // Letters by their place on the keyboard, whatever the layout.
        if (e.code && e.code.startsWith('Key')) key = e.code.slice(3);
        return (e.ctrlKey || e.metaKey ? 'Ctrl+' : '') + (e.altKey ? 'Alt+' : '') + (e.shiftKey ? 'Shift+' : '') + key;
    }

    onKey(e) {
        if (document.querySelector('dialog[open]')) return;
        const name = this.keyName(e);
        if (name === 'F6' && this.active && this.active.kind === 'report') { e.preventDefault(); this.active.toggleNavigator(); return; }
        if (this.active && this.active.kind === 'report') {
            const r = this.active;
            if (name === 'Ctrl+PageDown') { e.preventDefault(); r.goToStage(1); return; }
            if (name === 'Ctrl+PageUp') { e.preventDefault(); r.goToStage(-1); return; }
            if (name === 'Ctrl+End') { e.preventDefault(); r.goToAnswer(); return; }
        }
        const editing = this.active && this.active.kind === 'task' && this.active.grid.editing;
        for (const [command, c] of Object.entries(Kg.commands)) {
            if (c.keys !== name && !(command === 'Redo' && name === 'Ctrl+Shift+Z')) continue;
            // Keys an open cell editor keeps for itself.
            if (editing && ['Insert', 'Shift+Insert', 'Delete', 'Shift+Delete', 'Ctrl+Z', 'Ctrl+Y', 'Ctrl+Shift+Z'].includes(name)) return;
            if (!editing && this.active && this.active.kind !== 'task' && ['Insert', 'Delete', 'Shift+Insert', 'Shift+Delete'].includes(name)) return;
            e.preventDefault();
            this.command(command);
            return;
        }
        if (name === 'F5' || name === 'Ctrl+R') e.preventDefault();
    }

    bindPage() {
        document.addEventListener('keydown', (e) => this.onKey(e));
        document.getElementById('stop').addEventListener('click', () => this.stopRun());
        const input = document.getElementById('open-file');
        input.addEventListener('change', () => {
            const file = input.files[0];
            input.value = '';
            if (file) this.openFile(file);
        });
        const hint = document.getElementById('drop-hint');
        window.addEventListener('dragover', (e) => { e.preventDefault(); hint.hidden = false; });
        window.addEventListener('dragleave', (e) => { if (!e.relatedTarget) hint.hidden = true; });
        window.addEventListener('drop', (e) => {
            e.preventDefault();
            hint.hidden = true;
            for (const file of e.dataTransfer.files) this.openFile(file);
        });
        document.addEventListener('copy', (e) => this.clipboard(e, false));
        document.addEventListener('cut', (e) => this.clipboard(e, false));
        document.addEventListener('paste', (e) => this.clipboard(e, true));
        document.addEventListener('mouseover', (e) => {
            const titled = e.target.closest && e.target.closest('[title]');
            if (titled && !this.running) this.hint(titled.title);
        });
        const limit = document.querySelector('#settings [name=reportLimitMb]');
        const limitHint = () => {
            document.getElementById('limit-hint').textContent = +limit.value === 0
                ? 'без предела: большой отчет может занять всю память вкладки'
                : 'Когда отчет достигает этого размера, ход решения дальше не записывается; итоговый план записывается всегда. ' +
                  'В браузере отчет хранится в памяти вкладки: по умолчанию 64 МБ.';
        };
        limit.addEventListener('input', limitHint);
        limitHint();
        document.getElementById('new-seed').addEventListener('click', () => {
            document.querySelector('#random-task [name=seed]').value = String(Math.floor(Math.random() * 1e9));
        });
        window.addEventListener('pagehide', () => this.persist());
    }

    clipboard(e, pasting) {
        const tab = this.active;
        if (!tab || tab.kind !== 'task' || tab.grid.editing || document.querySelector('dialog[open]')) return;
        if (!tab.element.contains(document.activeElement)) return;
        e.preventDefault();
        if (pasting) tab.paste(e.clipboardData.getData('text/plain'));
        else e.clipboardData.setData('text/plain', tab.copy());
    }

    hint(text) {
        if (!this.running) document.getElementById('hint').textContent = text || '';
    }

    // ---- Tabs -------------------------------------------------------------------------------

    add(tab) {
        this.tabs.push(tab);
        document.getElementById('workspace').append(tab.element);
        this.activate(tab);
        this.persistSoon();
        return tab;
    }

    activate(tab) {
        this.active = tab;
        for (const t of this.tabs) t.element.hidden = t !== tab;
        this.tabsChanged();
        if (tab && tab.kind === 'task') for (const g of tab.grids) g.schedule();
        if (tab) setTimeout(() => tab.focus(), 0);
        this.updateCommands();
    }

    tabsChanged() {
        const bar = document.getElementById('tabs');
        bar.replaceChildren();
        for (const tab of this.tabs) {
            const b = document.createElement('div');
            b.className = 'tab' + (tab === this.active ? ' active' : '');
            b.setAttribute('role', 'tab');
            b.title = tab.caption;
            const label = document.createElement('span');
            label.textContent = tab.title();
            const close = document.createElement('button');
            close.className = 'close';
            close.textContent = '×';
            close.title = 'Закрыть (Alt+W)';
            close.addEventListener('click', (e) => { e.stopPropagation(); this.closeTab(tab); });
            b.append(label, close);
            b.addEventListener('click', () => this.activate(tab));
            bar.append(b);
        }
    }

    // Unsaved work is never lost: Cancel, and a save that was cancelled, keep the tab.
    async closeTab(tab) {
        if (!tab.saved && tab.kind !== 'help' && tab.kind !== 'picture') {
            const answer = await this.ask('Сохранить изменения в ' + tab.caption + '?', ['Да', 'Нет', 'Отмена']);
            if (answer === 'Отмена' || answer === null) return false;
            if (answer === 'Да' && !(await this.save(tab, false))) return false;
        }
        tab.close();
        tab.element.remove();
        const k = this.tabs.indexOf(tab);
        this.tabs.splice(k, 1);
        this.activate(this.tabs[Math.min(k, this.tabs.length - 1)] || null);
        this.persistSoon();
        return true;
    }

    async closeAll() {
        for (const tab of [...this.tabs].reverse()) if (!(await this.closeTab(tab))) return;
    }

    baseName(path) { return String(path).split(/[\\/]/).pop(); }

    // ---- Dialogs ----------------------------------------------------------------------------

    message(text) { return this.ask(text, ['OK']); }

    // A question with buttons; resolves with the button's text (null when the box was closed).
    ask(text, buttons) {
        const box = document.getElementById('message-box');
        document.getElementById('message-text').textContent = text;
        const row = document.getElementById('message-buttons');
        row.replaceChildren(...buttons.map((label, k) => {
            const b = document.createElement('button');
            b.value = label;
            b.textContent = label;
            if (k === 0) b.className = 'default';
            return b;
        }));
        return new Promise((resolve) => {
            const queue = this.boxQueue || Promise.resolve();
            this.boxQueue = queue.then(() => new Promise((done) => {
                box.onclose = () => {
                    resolve(box.returnValue || null);
                    done();
                    if (this.active) this.active.focus();
                };
                box.returnValue = '';
                box.showModal();
                row.firstChild.focus();
            }));
        });
    }

    showPopup(x, y) {
        const menu = this.popup || (this.popup = this.makePopup());
        menu.hidden = false;
        this.updateCommands();
        menu.style.left = Math.max(0, Math.min(x - menu.offsetWidth / 2, innerWidth - menu.offsetWidth)) + 'px';
        menu.style.top = Math.min(y, innerHeight - menu.offsetHeight) + 'px';
    }

    makePopup() {
        const menu = document.createElement('div');
        menu.className = 'menu-list popup';
        const entries = [['MainInsertRow', 'Вставить строку'], ['MainInsertColumn', 'Вставить столбец'], '',
            ['MainDeleteRow', 'Удалить строку'], ['MainDeleteColumn', 'Удалить столбец'], '',
            ['MainInverseSign', 'Изменить знаки тарифов'], ['Transponate', 'Транспонировать'], '',
            ['ShowHideRestrictions', 'Решать с  ограничениями']];
        for (const entry of entries) {
            if (!entry) { menu.append(document.createElement('hr')); continue; }
            const item = this.menuItem(entry[0]);
            item.querySelector('.text').textContent = entry[1];
            menu.append(item);
        }
        document.body.append(menu);
        return menu;
    }

    // ---- Commands ---------------------------------------------------------------------------

    async command(name) {
        if (!this.enabled(name)) return;
        const tab = this.active;
        switch (name) {
            case 'New': return this.newTask(0);
            case 'NewTime': return this.newTask(1);
            case 'NewAssignment': return this.newTask(2);
            case 'Open': return document.getElementById('open-file').click();
            case 'Save': return this.save(tab, false);
            case 'SaveAs': return this.save(tab, true);
            case 'Print': return tab.print();
            case 'Close1': return tab && this.closeTab(tab);
            case 'CloseAll1': return this.closeAll();
            case 'FindPlan': return this.solve(true);
            case 'SolveTask': return this.solve(false);
            case 'CompareMethods': return this.compare();
            case 'PlanPicture': return this.openPicture(tab.svg, 'Схема перевозок: ' + this.baseName(tab.fileName), false);
            case 'RandomTask': return this.randomTask();
            case 'ProgramSettings': return this.editSettings();
            case 'Undo': return tab.stepBack();
            case 'Redo': return tab.stepForward();
            case 'MainInsertRow': return tab.insertRow();
            case 'MainInsertColumn': return tab.insertColumn();
            case 'MainDeleteRow': return tab.deleteRow();
            case 'MainDeleteColumn': return tab.deleteColumn();
            case 'MainInverseSign': return tab.negate();
            case 'Transponate': return tab.transpose();
            case 'ShowHideRestrictions': return tab.toggleRestrictions();
            case 'Contents': return this.help();
            case 'About': return document.getElementById('about').showModal();
        }
    }

    // kind: 0 the transportation task, 1 by the time criterion, 2 the assignment problem.
    newTask(kind = 0) {
        const doc = this.core.newDocument(3, 3, kind);
        const extension = kind === 2 ? 'csv' : 'tab';
        return this.add(new Kg.TaskTab(this, { doc, caption: `Untitled${++this.taskWindows}.${extension}`, saved: false }));
    }

    async openFile(file) {
        const bytes = new Uint8Array(await file.arrayBuffer());
        const read = this.core.readTask(file.name, bytes);
        ++this.taskWindows;
        if (read.message) {
            this.message(read.message);
            return;
        }
        this.add(new Kg.TaskTab(this, { doc: read.document, caption: file.name, saved: true, restrictions: read.limits }));
    }

    download(blob, name) {
        const a = document.createElement('a');
        a.href = URL.createObjectURL(blob);
        a.download = name;
        document.body.append(a);
        a.click();
        a.remove();
        setTimeout(() => URL.revokeObjectURL(a.href), 60000);
    }

    // Asks for a file name (the save dialog of a page: the file goes to the downloads).
    askFileName(title, name, extension) {
        const dialog = document.getElementById('save-as');
        document.getElementById('save-title').textContent = title;
        const field = dialog.querySelector('[name=name]');
        field.value = this.baseName(name);
        return new Promise((resolve) => {
            dialog.onclose = () => {
                let chosen = dialog.returnValue === 'ok' ? field.value.trim() : '';
                if (chosen && !/\.[^.]+$/.test(chosen)) chosen += '.' + extension;
                resolve(chosen);
            };
            dialog.returnValue = '';
            dialog.showModal();
            field.select();
        });
    }

    async save(tab, saveAs) {
        if (!tab) return false;
        const task = tab.kind === 'task';
        if (task && !(await tab.finishEditing())) return false;
        let name = tab.caption;
        if (tab.neverSaved !== false || saveAs) {
            name = await this.askFileName(saveAs ? 'Сохранить как' : 'Сохранить', tab.caption, task ? 'tab' : 'html');
            if (!name) return false;
        }
        const bytes = task ? this.core.writeTask(tab.doc, name) : tab.fileBytes();
        this.download(new Blob([bytes], { type: task ? 'application/octet-stream' : 'text/html;charset=windows-1251' }), this.baseName(name));
        tab.caption = name;
        tab.saved = true;
        tab.neverSaved = false;
        this.tabsChanged();
        this.persistSoon();
        return true;
    }

    help(page) {
        const open = this.tabs.find((t) => t.kind === 'help');
        if (open) { this.activate(open); if (page) open.open(page); return; }
        this.add(new Kg.HelpTab(this, page));
    }

    openPicture(svg, caption, overPause) {
        if (overPause) {
            // Over the stepwise pause, the picture opens in a box of its own.
            const box = document.createElement('dialog');
            box.className = 'box picture-box';
            box.innerHTML = '<div class="title"></div><div class="picture fit"></div><form method="dialog" class="buttons"><button class="default">OK</button></form>';
            box.querySelector('.title').textContent = caption;
            box.querySelector('.picture').innerHTML = svg;
            box.addEventListener('close', () => box.remove());
            document.body.append(box);
            box.showModal();
            return;
        }
        this.add(new Kg.PictureTab(this, svg, caption));
    }

    closePicturesOfPause() { for (const box of document.querySelectorAll('.picture-box')) box.remove(); }

    editSettings() {
        const dialog = document.getElementById('settings');
        const form = dialog.querySelector('form');
        for (const key of ['planMethod', 'solveMode', 'solveMethod', 'estimates']) {
            form.querySelector(`[name=${key}][value="${this.settings[key]}"]`).checked = true;
        }
        form.editingMode.checked = this.settings.editingMode;
        form.otherOptima.checked = !!this.settings.otherOptima;
        form.reportLimitMb.value = this.settings.reportLimitMb;
        form.reportLimitMb.dispatchEvent(new Event('input'));
        // Taken at the click on OK, not when the dialog's close event comes a moment later:
        // a run started at once (F9 right after OK) must use them.
        form.onsubmit = (event) => {
            if (!event.submitter || event.submitter.value !== 'ok') return;
            for (const key of ['planMethod', 'solveMode', 'solveMethod', 'estimates']) {
                this.settings[key] = +form.querySelector(`[name=${key}]:checked`).value;
            }
            this.settings.editingMode = form.editingMode.checked;
            this.settings.otherOptima = form.otherOptima.checked;
            this.settings.reportLimitMb = Math.max(0, Math.min(4096, Math.floor(+form.reportLimitMb.value || 0)));
            this.persist();
        };
        dialog.showModal();
        form.querySelector('[name=planMethod]:checked').focus();
    }

    // ---- Runs -------------------------------------------------------------------------------

    showStatus(lines) {
        if (!this.running) return;
        const last = lines[lines.length - 1] || '';
        document.getElementById('progress-text').textContent = 'Статус выполнения: ' + (last === 'Статус выполнения:' ? '' : last);
    }

    setRunning(running, text) {
        this.running = running;
        document.getElementById('progress').hidden = !running;
        document.getElementById('hint').hidden = running;
        document.body.classList.toggle('running', running);
        if (running) document.getElementById('progress-text').textContent = text || 'Статус выполнения:';
        this.updateCommands();
    }

    // "Прервать": the worker is ended at once, and a new one takes its place.
    stopRun() {
        if (!this.running) return;
        this.stopped = true;
        this.restartWorker();
    }

    async solve(planOnly) {
        const tab = this.active;
        if (!(await tab.finishEditing())) return;
        const settings = this.settings;
        this.setRunning(true);
        this.stopped = false;
        let outcome;
        const send = (m) => this.request(m);
        try {
            performance.mark('kargolo-run-started');
            outcome = await send({
                op: 'solve', grids: this.core.documentText(tab.doc), taskName: this.baseName(tab.caption),
                restricted: tab.restrictions, planOnly, settings,
            });
            while (outcome.paused) outcome = await this.stepwise.open(outcome, tab.caption, send);
        } catch (failure) {
            this.setRunning(false);
            this.stepwise.abandon();
            if (this.stopped) this.message('Решение прервано пользователем. Отчет не создан.');
            else this.message('Неизвестная ошибка. Решение остановлено');
            return;
        }
        performance.mark('kargolo-run-answered');
        this.lastRun = { workerMilliseconds: outcome.milliseconds };
        this.setRunning(false);
        if (outcome.refusal) { this.message(outcome.refusal); return; }
        if (outcome.failed) this.message('Неизвестная ошибка. Решение остановлено');
        const caption = `Untitled${++this.reportWindows}.html`;
        const report = new Kg.ReportTab(this, {
            bytes: outcome.report, index: outcome.index, caption, editable: settings.editingMode,
            svg: outcome.svg, fileName: tab.caption,
        });
        report.neverSaved = true;
        this.add(report);
    }

    async compare() {
        const tab = this.active;
        if (!(await tab.finishEditing())) return;
        this.setRunning(true, 'Сравнение методов...');
        this.stopped = false;
        let answer;
        try {
            answer = await this.request({ op: 'compare', grids: this.core.documentText(tab.doc), taskName: this.baseName(tab.caption), limits: tab.restrictions });
        } catch (failure) {
            this.setRunning(false);
            if (!this.stopped) this.message('Неизвестная ошибка. Решение остановлено');
            return;
        }
        this.setRunning(false);
        if (answer.refusal) { this.message(answer.refusal); return; }
        const report = Kg.comparisonTab(this, answer.html, `Untitled${++this.reportWindows}.html`);
        report.neverSaved = true;
        this.add(report);
    }

    // The check of the plan on the task's page "Мой план", in a tab of its own.
    async checkPlan(tab) {
        if (!(await tab.finishEditing())) return;
        this.setRunning(true, 'Проверка плана...');
        this.stopped = false;
        let answer;
        try {
            answer = await this.request({
                op: 'check', grids: this.core.documentText(tab.doc), taskName: this.baseName(tab.caption),
                limits: tab.restrictions, plan: tab.planText.value, statedF: tab.planF.value,
            });
        } catch (failure) {
            this.setRunning(false);
            if (!this.stopped) this.message('Неизвестная ошибка. Решение остановлено');
            return;
        }
        this.setRunning(false);
        if (answer.message || answer.refusal) { this.message(answer.message || answer.refusal); return; }
        const report = Kg.comparisonTab(this, answer.html, `Untitled${++this.reportWindows}.html`);
        report.neverSaved = true;
        report.verdict = answer.verdict;
        this.add(report);
    }

    randomTask() {
        const dialog = document.getElementById('random-task');
        const form = dialog.querySelector('form');
        const o = this.exerciseOptions;
        if (o) for (const [key, value] of Object.entries(o)) {
            const field = form.elements[key];
            if (field) { if (field.type === 'checkbox') field.checked = value; else field.value = value; }
        } else if (!form.seed.value) form.seed.value = String(Math.floor(Math.random() * 1e9));
        const enable = () => {
            const limits = +form.limitedPercent.value > 0;
            form.tightness.disabled = !limits;
            form.allowUnsolvable.disabled = !limits;
        };
        form.limitedPercent.oninput = enable;
        enable();
        dialog.returnValue = '';
        dialog.onclose = async () => {
            const set = dialog.returnValue === 'set';
            if (dialog.returnValue !== 'ok' && !set) return;
            const options = {};
            for (const key of ['suppliers', 'consumers', 'type', 'lowest', 'highest', 'limitedPercent', 'tightness', 'seed']) {
                options[key] = Math.floor(+form.elements[key].value || 0);
            }
            for (const key of ['degenerate', 'allowUnsolvable', 'unique']) options[key] = form.elements[key].checked;
            const variants = set ? Math.min(500, Math.max(1, Math.floor(+form.elements.variants.value || 25))) : 0;
            this.setRunning(true, set ? 'Создание вариантов...' : 'Создание задачи...');
            let answer;
            try {
                answer = await this.request({ op: 'generate', options, variants });
            } catch (failure) {
                this.setRunning(false);
                return;
            }
            this.setRunning(false);
            if (answer.failure) {
                await this.message(answer.failure);
                this.randomTask();
                return;
            }
            this.exerciseOptions = { ...options, seed: options.seed + 1, variants: form.elements.variants.value };
            if (set) { this.showVariantSet(answer); return; }
            const doc = this.core.documentFromText(answer.grids);
            const header = answer.answerHeader.trim().split(';');
            const values = answer.answer.trim().split(';');
            const note = 'Зерно ' + options.seed + '. Ответ: ' + header.slice(1).map((h, k) => h + ' ' + values[k + 1]).join(', ');
            this.add(new Kg.TaskTab(this, { doc, caption: `Untitled${++this.taskWindows}.tab`, saved: false, restrictions: answer.limits, note }));
        };
        dialog.showModal();
    }

    // A set of variants: the archive of its files to the downloads, the sheets and the key in tabs
    // of their own, to print.
    showVariantSet(answer) {
        this.download(new Blob([answer.archive], { type: 'application/zip' }), 'variants.zip');
        for (const [html, name] of [[answer.variants, 'variants.html'], [answer.key, 'key.html']]) {
            const tab = Kg.comparisonTab(this, html, name);
            tab.neverSaved = true;
            this.add(tab);
        }
    }

    // ---- Kept across a reload ---------------------------------------------------------------

    persistSoon() {
        clearTimeout(this.persistTimer);
        this.persistTimer = setTimeout(() => this.persist(), 400);
    }

    persist() {
        // A task of more than a quarter of a million routes is not kept: writing it down after
        // every edit would hold the page up, and the browser's store is too small for it.
        const kept = this.tabs.filter((t) => t.kind === 'task' &&
            this.core.suppliers(t.doc) * this.core.consumers(t.doc) <= 250000);
        const tasks = kept.map((t) => t.state());
        const state = {
            settings: this.settings, tasks, active: kept.indexOf(this.active),
            taskWindows: this.taskWindows, reportWindows: this.reportWindows,
        };
        try {
            localStorage.setItem(Kg.storageKey, JSON.stringify(state));
        } catch (full) {
            // A task too large for the browser's store: the settings and the smaller tasks are kept.
            state.tasks = tasks.filter((t) => t.text.length < 500000);
            try { localStorage.setItem(Kg.storageKey, JSON.stringify(state)); } catch (still) { /* nothing kept */ }
        }
    }

    restore() {
        let state = null;
        try { state = JSON.parse(localStorage.getItem(Kg.storageKey) || 'null'); } catch (broken) { state = null; }
        if (!state) return;
        this.settings = { ...Kg.defaultSettings, ...(state.settings || {}) };
        this.taskWindows = state.taskWindows || 0;
        this.reportWindows = state.reportWindows || 0;
        for (const t of state.tasks || []) {
            const doc = this.core.documentFromText(t.text || '');
            if (!doc) continue;
            this.add(new Kg.TaskTab(this, { ...t, doc }));
        }
        const tasks = this.tabs;
        if (tasks.length) this.activate(tasks[Math.max(0, Math.min(tasks.length - 1, state.active || 0))]);
    }
};

(async () => {
    try {
        const core = await Kg.loadCore();
        Kg.app = new Kg.App(core);
        document.body.dataset.ready = 'true';
    } catch (failure) {
        document.getElementById('loading').textContent = 'Браузер не смог загрузить Карголо: ' + failure;
    }
})();
