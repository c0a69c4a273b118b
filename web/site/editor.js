'use strict';
// A task's tab: the pages "Тарифы", "Ограничения" and "Обязательные поставки" over the task's
// grids, which live in the core, and the goal of the task; every check, refusal and message is
// the core's (the desktop's task editor's). Undo keeps a typed cell's texts on every page, or the
// whole task before a change of many cells or of the goal. A task by the time criterion has times
// on its first page and no goal or mandatory shipments; an assignment problem only its matrix (its
// supplies and demands, all 1, not shown) and its goal. The page "Мой план" takes a student's plan
// of a transportation task, to be checked.
var Kg = window.Kg || (window.Kg = {});

Kg.TaskTab = class TaskTab {
    constructor(app, options) {
        this.app = app;
        this.core = app.core;
        this.kind = 'task';
        this.doc = options.doc;
        this.taskKind = this.core.documentKind(this.doc);  // as core.newDocument numbers them
        this.caption = options.caption;
        this.saved = !!options.saved;
        this.neverSaved = options.neverSaved !== false;
        this.restrictions = !!options.restrictions;
        this.page = 0;
        this.undo = [];
        this.redo = [];
        this.note = options.note || '';
        this.element = document.createElement('section');
        this.element.className = 'task-tab';
        this.pageBar = document.createElement('div');
        this.pageBar.className = 'pages';
        const first = ['Тарифы', 'Время перевозок', 'Матрица'][this.taskKind] || 'Тарифы';
        this.pageButtons = [first, 'Ограничения', 'Обязательные поставки'].map((text, page) => {
            const b = document.createElement('button');
            b.textContent = text;
            b.addEventListener('click', () => this.showPage(page));
            this.pageBar.append(b);
            return b;
        });
        this.planButton = document.createElement('button');
        this.planButton.textContent = 'Мой план';
        this.planButton.addEventListener('click', () => this.showPlan());
        this.pageBar.append(this.planButton);
        this.pageBar.append(this.makeGoalSwitch());
        this.noteBar = document.createElement('div');
        this.noteBar.className = 'task-note';
        this.gridHost = document.createElement('div');
        this.gridHost.className = 'grid-host';
        this.planPanel = this.makePlanPanel(options);
        this.element.append(this.pageBar, this.noteBar, this.gridHost, this.planPanel);
        this.grids = [0, 1, 2].map((grid) => this.makeGrid(grid));
        this.grids[1].root.hidden = true;
        this.grids[2].root.hidden = true;
        this.refreshPages();
    }

    makeGoalSwitch() {
        const label = document.createElement('label');
        label.className = 'goal';
        label.title = 'Что означают числа таблицы тарифов: затраты (ищется наименьшая сумма) или прибыль (наибольшая)';
        label.append('Цель: ');
        this.goalSwitch = document.createElement('select');
        const most = this.isAssignment() ? 'максимум эффекта' : 'максимум прибыли';
        for (const [value, text] of [['0', 'минимум затрат'], ['1', most]]) this.goalSwitch.add(new Option(text, value));
        label.hidden = this.taskKind === 1;  // the time criterion only shortens the times
        this.goalSwitch.addEventListener('change', () => {
            const goal = +this.goalSwitch.value;
            this.change('изменение цели', true, () => this.core.setGoal(this.doc, goal) === 1);
        });
        label.append(this.goalSwitch);
        return label;
    }

    makeGrid(grid) {
        const core = this.core;
        const tab = this;
        const rim = this.isAssignment() ? 1 : 2;  // the caption column, and the supplies unless hidden
        const model = {
            columns: () => core.consumers(tab.doc) + rim,
            rows: () => core.suppliers(tab.doc) + rim,
            hasRim: rim === 2,
            text: (c, r) => core.cellText(tab.doc, grid, c, r),
            kind(c, r) {
                if (!this.hasRim) return 'body';
                const n = this.columns() - 1;
                const m = this.rows() - 1;
                if (c === n && r === m) return 'corner';
                if (c === n || r === m) return 'rim';
                return 'body';
            },
            editable(c, r) { return this.kind(c, r) !== 'corner'; },
            style: (c, r) => (grid !== 0 && c < model.columns() - 1 && r < model.rows() - 1 ? ['', 'limit', 'mandatory'][grid] : ''),
            checkTyping(c, r, text) {
                const takesM = grid !== 2 && this.kind(c, r) === 'body';  // a forbidden route, no limit
                const verdict = core.checkTyping(text, takesM ? 1 : 0);
                if (verdict === 'complete' || verdict === 'partial') return null;
                return verdict === 'too-large' ? 'Число должно быть от -2147483648 до 2147483647' : '';
            },
        };
        return new Kg.GridView(this.gridHost, model, {
            commit: (c, r, text) => this.typed(grid, c, r, text),
            mayLeave: (from, to) => this.leave(grid, from, to),
            enter: (cell) => this.enter(grid, cell),
            popup: (x, y) => this.app.showPopup(x, y),
            hint: (text) => this.app.hint(text),
            editStarted: () => this.markChanged(),
        });
    }

    // The page of the student's plan: its quantities as lines (pasted from a spreadsheet or typed)
    // and the F they found.
    makePlanPanel(options) {
        const panel = document.createElement('div');
        panel.className = 'plan-check';
        panel.hidden = true;
        const note = document.createElement('p');
        note.textContent = 'Введите найденный план перевозок: по строке на поставщика, перевозки через точку с ' +
            'запятой или табуляцию (пустое значение - 0), или вставьте его из электронной таблицы. Укажите ' +
            'полученное значение F и нажмите "Проверить".';
        this.planText = document.createElement('textarea');
        this.planText.rows = 10;
        this.planText.spellcheck = false;
        this.planText.value = options.plan || '';
        this.planF = document.createElement('input');
        this.planF.type = 'text';
        this.planF.value = options.statedF || '';
        const label = document.createElement('label');
        label.append('F = ', this.planF);
        const check = document.createElement('button');
        check.textContent = 'Проверить';
        check.title = 'Проверить план: баланс, ограничения, опорность, F и оптимальность';
        check.addEventListener('click', () => this.app.checkPlan(this));
        const solve = document.createElement('button');
        solve.textContent = 'Показать решение';
        solve.title = 'Решить задачу и показать отчет о решении';
        solve.addEventListener('click', () => this.app.command('SolveTask'));
        for (const field of [this.planText, this.planF]) field.addEventListener('input', () => this.app.persistSoon());
        const row = document.createElement('div');
        row.className = 'plan-row';
        row.append(label, check, solve);
        panel.append(note, this.planText, row);
        return panel;
    }

    showPlan() {
        if (this.planShown) return;
        this.grid.commit().then((done) => {
            if (!done) return;
            this.planShown = true;
            this.gridHost.hidden = true;
            this.planPanel.hidden = false;
            this.refreshPages();
            this.planText.focus();
        });
    }

    get grid() { return this.grids[this.page]; }

    isAssignment() { return this.taskKind === 2; }

    title() { return (this.saved ? '' : '*') + this.app.baseName(this.caption); }

    focus() { if (this.planShown) this.planText.focus(); else this.grid.focus(); }

    markChanged() {
        if (this.saved) {
            this.saved = false;
            this.app.tabsChanged();
        }
        this.app.persistSoon();
    }

    cellTexts(c, r) { return [0, 1, 2].map((grid) => this.core.cellText(this.doc, grid, c, r)); }

    // One typed cell: undone as the texts of every page before it.
    typed(grid, c, r, text) {
        const before = this.cellTexts(c, r);
        this.core.setCellText(this.doc, grid, c, r, text.replace(/[\t\r\n]/g, ' '));
        this.push({ cell: { c, r, before, after: null } });
        this.markChanged();
        return true;
    }

    restoreCell(step, useBefore) {
        const { c, r } = step.cell;
        if (useBefore) step.cell.after = this.cellTexts(c, r);
        const texts = useBefore ? step.cell.before : step.cell.after;
        texts.forEach((text, grid) => this.core.setCellText(this.doc, grid, c, r, text));
    }

    leave(grid, from, to) {
        const check = this.core.checkOnLeaving(this.doc, grid, from.c, from.r, to.c, to.r);
        this.redrawGrids();
        if (check.message) this.app.message(check.message);
        return check.allowed;
    }

    enter(grid, cell) {
        const check = this.core.checkOnEnter(this.doc, grid, cell.c, cell.r);
        this.redrawGrids();
        if (check.message) {
            this.app.message(check.message);
            return false;
        }
        return true;
    }

    // Before a command takes the task: the text being typed is taken and the cell checked.
    async finishEditing() {
        const view = this.grid;
        if (!(await view.commit())) return false;
        return this.leave(this.page, view.cursor, view.cursor);
    }

    redrawGrids() { for (const g of this.grids) g.schedule(); }

    reloadGrids() {
        for (const g of this.grids) g.reload();
        this.goalSwitch.value = String(this.core.goal(this.doc));
        this.app.persistSoon();
    }

    push(step) {
        this.undo.push(step);
        if (this.undo.length > 100) this.dropStep(this.undo.shift());
        for (const s of this.redo) this.dropStep(s);
        this.redo = [];
        this.app.updateCommands();
    }

    dropStep(step) {
        if (step.before) this.core.freeDocument(step.before);
        if (step.after) this.core.freeDocument(step.after);
    }

    // A change of many cells or of the task's shape, undone as the task before it. change()
    // returns false (or a refusal, shown) when nothing changed.
    async change(label, countsAsChange, change) {
        if (!(await this.finishEditing())) return;
        const before = this.core.copyDocument(this.doc);
        const outcome = change();
        if (outcome === false || (typeof outcome === 'string' && outcome)) {
            this.core.freeDocument(before);
            if (typeof outcome === 'string') this.app.message(outcome);
            return;
        }
        this.push({ label, before, after: this.core.copyDocument(this.doc), countsAsChange });
        if (countsAsChange) this.markChanged();
        this.reloadGrids();
    }

    stepBack() {
        const step = this.undo.pop();
        if (!step) return;
        this.grid.cancelEdit();
        if (step.cell) this.restoreCell(step, true); else this.core.assignDocument(this.doc, step.before);
        this.redo.push(step);
        this.afterStep(step);
    }

    stepForward() {
        const step = this.redo.pop();
        if (!step) return;
        this.grid.cancelEdit();
        if (step.cell) this.restoreCell(step, false); else this.core.assignDocument(this.doc, step.after);
        this.undo.push(step);
        this.afterStep(step);
    }

    afterStep(step) {
        if (step.cell || step.countsAsChange) this.markChanged();
        this.reloadGrids();
        this.app.updateCommands();
    }

    currentRow() { return this.grid.cursor.r; }
    currentColumn() { return this.grid.cursor.c; }

    insertRow() { return this.change('вставка строки', true, () => this.core.insertRow(this.doc, this.currentRow())); }
    insertColumn() { return this.change('вставка столбца', true, () => this.core.insertColumn(this.doc, this.currentColumn())); }
    deleteRow() { return this.change('удаление строки', true, () => this.core.deleteRow(this.doc, this.currentRow())); }
    deleteColumn() { return this.change('удаление столбца', true, () => this.core.deleteColumn(this.doc, this.currentColumn())); }
    negate() { return this.change('изменение знаков тарифов', true, () => this.core.negateTariffs(this.doc)); }
    // Transposing is no change to save, but it can be undone like the others.
    transpose() { return this.change('транспонирование', false, () => this.core.transpose(this.doc)); }

    // A block from a spreadsheet; into a new, untouched task at its first cell, a whole task.
    paste(text) {
        if (!text) return;
        const cursor = this.grid.cursor;
        const whole = this.neverSaved && this.undo.length === 0 && this.page === 0 && cursor.c === 1 &&
            cursor.r === 1 && this.core.isNewTask(this.doc) === 1;
        return this.change('вставка из буфера', true, () => this.core.paste(this.doc, this.page, cursor.c, cursor.r, text, whole ? 1 : 0));
    }

    // The selected block as tab-separated text.
    copy() {
        const s = this.grid.selection();
        return this.core.blockText(this.doc, this.page, s.c0, s.r0, s.c1 - s.c0 + 1, s.r1 - s.r0 + 1);
    }

    toggleRestrictions() {
        if (this.isAssignment()) return;  // a matrix has no limits
        this.restrictions = !this.restrictions;
        if (!this.restrictions && this.page === 1) this.showPage(0);
        this.refreshPages();
        this.app.updateCommands();
        this.app.persistSoon();
    }

    // The supplies and demands go from the page left to the page shown; the cursor follows.
    async showPage(page) {
        if (this.planShown) {
            this.planShown = false;
            this.planPanel.hidden = true;
            this.gridHost.hidden = false;
            this.refreshPages();
        }
        if (page === this.page) return this.grid.focus();
        if (!(await this.grid.commit())) return;
        const cursor = { ...this.grid.cursor };
        this.core.leavePage(this.doc, this.page);
        this.page = page;
        this.grids.forEach((g, k) => { g.root.hidden = k !== page; });
        this.grid.cursor = cursor;
        this.grid.anchor = { ...cursor };
        this.reloadGrids();
        this.refreshPages();
        this.grid.focus();
    }

    refreshPages() {
        this.pageButtons[1].hidden = !this.restrictions;
        this.pageButtons[2].hidden = this.taskKind !== 0;  // mandatory shipments: the transportation task's
        this.planButton.hidden = this.taskKind !== 0;  // a plan is checked for the transportation task only
        this.pageButtons.forEach((b, k) => b.classList.toggle('active', k === this.page && !this.planShown));
        this.planButton.classList.toggle('active', !!this.planShown);
        this.goalSwitch.value = String(this.core.goal(this.doc));
        this.noteBar.textContent = this.note;
        this.noteBar.hidden = !this.note;
    }

    state() {
        return {
            kind: 'task', text: this.core.documentText(this.doc), caption: this.caption, saved: this.saved,
            neverSaved: this.neverSaved, restrictions: this.restrictions, note: this.note,
            plan: this.planText.value, statedF: this.planF.value,
        };
    }

    close() {
        for (const s of this.undo.concat(this.redo)) this.dropStep(s);
        this.core.freeDocument(this.doc);
    }
};
