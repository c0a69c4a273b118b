'use strict';
// A grid of text cells as the task editor and the stepwise pause show them: captions in the
// first row and column (they stay in view while the grid scrolls), only the cells in view are
// drawn, so a task of a million routes scrolls as one of nine. Keys as in a spreadsheet:
// arrows, Tab, Enter, Home/End, PgUp/PgDn, Shift to select a block, F2 or typing to edit.
//
// The model says what each cell holds and may do:
//   columns(), rows(), text(c, r), kind(c, r) -> 'caption' | 'rim' | 'corner' | 'body' | 'closed',
//   editable(c, r), style(c, r) -> extra class name or '', checkTyping(c, r, text) -> null | message
// and the owner decides what a commit, a move and Enter do (they may refuse, and may be async):
//   commit(c, r, text), mayLeave(from, to) -> bool, enter(cell) -> bool.
var Kg = window.Kg || (window.Kg = {});

Kg.GridView = class GridView {
    constructor(host, model, handlers) {
        this.model = model;
        this.handlers = handlers || {};
        this.rowHeight = 24;
        this.cursor = { c: 1, r: 1 };
        this.anchor = { c: 1, r: 1 };
        this.editing = null;  // { c, r, before }
        this.busy = false;    // a move is being checked
        this.root = document.createElement('div');
        this.root.className = 'grid';
        this.root.tabIndex = 0;
        this.sizer = document.createElement('div');
        this.sizer.className = 'grid-sizer';
        this.layer = document.createElement('div');
        this.layer.className = 'grid-layer';
        this.input = document.createElement('input');
        this.input.className = 'grid-input';
        this.input.autocomplete = 'off';
        this.input.spellcheck = false;
        this.input.hidden = true;
        this.root.append(this.sizer, this.layer, this.input);
        host.append(this.root);
        this.pool = [];
        this.root.addEventListener('scroll', () => this.schedule());
        this.root.addEventListener('keydown', (e) => this.onKey(e));
        this.root.addEventListener('mousedown', (e) => this.onMouse(e));
        this.root.addEventListener('dblclick', (e) => { if (this.cellAt(e)) this.beginEdit(false); });
        this.root.addEventListener('contextmenu', (e) => {
            const cell = this.cellAt(e);
            if (cell && this.handlers.popup) { e.preventDefault(); this.handlers.popup(e.clientX, e.clientY); }
        });
        this.input.addEventListener('input', () => this.onTyping());
        this.input.addEventListener('blur', () => { if (this.editing && !this.busy) this.commit(); });
        new ResizeObserver(() => this.schedule()).observe(this.root);
        this.reload();
    }

    // Widths: the caption column, the consumers' columns and the supplies' column.
    columnWidth(c) {
        const n = this.model.columns();
        if (c === 0) return this.model.firstWidth || 124;
        if (c === n - 1) return this.model.lastWidth || 124;
        return this.model.cellWidth || 132;
    }
    columnLeft(c) {
        if (c === 0) return 0;
        const n = this.model.columns();
        const first = this.columnWidth(0);
        const body = this.columnWidth(1);
        return c < n - 1 ? first + (c - 1) * body : first + (n - 2) * body;
    }

    // The grid's shape or every text changed.
    reload() {
        const n = this.model.columns();
        const m = this.model.rows();
        this.cursor.c = Math.min(Math.max(this.cursor.c, 1), n - 1);
        this.cursor.r = Math.min(Math.max(this.cursor.r, 1), m - 1);
        if (this.isCorner(this.cursor)) this.cursor = { c: 1, r: 1 };
        this.anchor = { ...this.cursor };
        this.sizer.style.width = (this.columnLeft(n - 1) + this.columnWidth(n - 1)) + 'px';
        this.sizer.style.height = (m * this.rowHeight) + 'px';
        this.schedule();
    }

    // A grid without supplies and demands (hasRim false) has no corner either.
    isCorner(cell) {
        return this.model.hasRim !== false && cell.c === this.model.columns() - 1 && cell.r === this.model.rows() - 1;
    }

    schedule() {
        if (this.pending) return;
        this.pending = requestAnimationFrame(() => { this.pending = 0; this.draw(); });
    }

    // The cells in view, the captions over them.
    draw() {
        const n = this.model.columns();
        const m = this.model.rows();
        const top = this.root.scrollTop;
        const left = this.root.scrollLeft;
        const height = this.root.clientHeight || 400;
        const width = this.root.clientWidth || 600;
        const firstRow = Math.max(1, Math.floor(top / this.rowHeight));
        const lastRow = Math.min(m - 1, Math.ceil((top + height) / this.rowHeight));
        const body = this.columnWidth(1);
        const firstWidth = this.columnWidth(0);
        let firstColumn = Math.max(1, Math.floor((left) / body));
        let lastColumn = Math.min(n - 2, Math.ceil((left + width - firstWidth) / body) + 1);
        const columns = [];
        for (let c = firstColumn; c <= lastColumn; c++) columns.push(c);
        if (this.columnLeft(n - 1) < left + width) columns.push(n - 1);
        const rows = [];
        for (let r = firstRow; r <= lastRow; r++) rows.push(r);
        const sel = this.selection();
        let used = 0;
        const place = (c, r, x, y, fixed) => {
            let div = this.pool[used];
            if (!div) {
                div = document.createElement('div');
                this.pool.push(div);
                this.layer.append(div);
            }
            used++;
            const kind = r === 0 || c === 0 ? 'caption' : this.model.kind(c, r);
            let cls = 'cell ' + kind;
            if (fixed) cls += ' fixed';
            if (kind !== 'caption' && kind !== 'corner' && c >= sel.c0 && c <= sel.c1 && r >= sel.r0 && r <= sel.r1) {
                cls += ' selected';
            }
            if (c === this.cursor.c && r === this.cursor.r) cls += ' current';
            if (kind === 'caption' && ((c === 0 && r >= sel.r0 && r <= sel.r1) || (r === 0 && c >= sel.c0 && c <= sel.c1))) {
                cls += ' lit';
            }
            const extra = kind !== 'caption' && this.model.style ? this.model.style(c, r) : '';
            if (extra) cls += ' ' + extra;
            if (div.className !== cls) div.className = cls;
            const text = kind === 'corner' ? '' : this.model.text(c, r);
            if (div.textContent !== text) div.textContent = text;
            div.style.transform = `translate(${x}px, ${y}px)`;
            const w = this.columnWidth(c) + 'px';
            if (div.style.width !== w) div.style.width = w;
            div.dataset.c = c;
            div.dataset.r = r;
        };
        for (const r of rows) {
            for (const c of columns) place(c, r, this.columnLeft(c), r * this.rowHeight, false);
        }
        for (const c of columns) place(c, 0, this.columnLeft(c), top, true);
        for (const r of rows) place(0, r, left, r * this.rowHeight, true);
        place(0, 0, left, top, true);
        for (let k = used; k < this.pool.length; k++) {
            if (this.pool[k].style.transform !== 'translate(-9999px, 0px)') this.pool[k].style.transform = 'translate(-9999px, 0px)';
        }
        if (this.editing) this.placeInput();
    }

    selection() {
        return {
            c0: Math.min(this.cursor.c, this.anchor.c), c1: Math.max(this.cursor.c, this.anchor.c),
            r0: Math.min(this.cursor.r, this.anchor.r), r1: Math.max(this.cursor.r, this.anchor.r),
        };
    }

    cellAt(e) {
        const div = e.target.closest && e.target.closest('.cell');
        if (!div || div.dataset.c === undefined) return null;
        return { c: +div.dataset.c, r: +div.dataset.r };
    }

    focus() {
        if (this.editing) this.input.focus(); else this.root.focus({ preventScroll: true });
    }

    scrollIntoView(cell) {
        const x = this.columnLeft(cell.c);
        const y = cell.r * this.rowHeight;
        const w = this.columnWidth(cell.c);
        const firstWidth = this.columnWidth(0);
        const view = this.root;
        if (x - firstWidth < view.scrollLeft) view.scrollLeft = Math.max(0, x - firstWidth);
        else if (x + w > view.scrollLeft + view.clientWidth) view.scrollLeft = x + w - view.clientWidth;
        if (y - this.rowHeight < view.scrollTop) view.scrollTop = Math.max(0, y - this.rowHeight);
        else if (y + this.rowHeight > view.scrollTop + view.clientHeight) view.scrollTop = y + this.rowHeight - view.clientHeight;
    }

    // Moves the cursor when the owner lets it leave the cell; extend keeps the anchor.
    async moveTo(target, extend) {
        const n = this.model.columns();
        const m = this.model.rows();
        target = { c: Math.min(Math.max(target.c, 1), n - 1), r: Math.min(Math.max(target.r, 1), m - 1) };
        if (this.isCorner(target)) return false;
        if (this.busy) return false;
        this.busy = true;
        try {
            if (this.editing && !(await this.commit())) return false;
            if (this.handlers.mayLeave && !(await this.handlers.mayLeave({ ...this.cursor }, target))) {
                this.schedule();
                return false;
            }
            this.cursor = target;
            if (!extend) this.anchor = { ...target };
            this.scrollIntoView(target);
            this.schedule();
            if (this.handlers.moved) this.handlers.moved(target);
            return true;
        } finally {
            this.busy = false;
        }
    }

    // Takes the editor's text into the cell; false when the owner refused it.
    async commit() {
        if (!this.editing) return true;
        const { c, r, before } = this.editing;
        const text = this.input.value;
        this.editing = null;
        this.input.hidden = true;
        let ok = true;
        if (text !== before && this.handlers.commit) ok = (await this.handlers.commit(c, r, text)) !== false;
        this.schedule();
        if (document.activeElement === this.input || document.activeElement === document.body) this.root.focus({ preventScroll: true });
        return ok;
    }

    cancelEdit() {
        if (!this.editing) return;
        this.editing = null;
        this.input.hidden = true;
        this.root.focus({ preventScroll: true });
        this.schedule();
    }

    beginEdit(replace, first) {
        const { c, r } = this.cursor;
        if (!this.model.editable(c, r)) return false;
        const before = this.model.text(c, r);
        this.editing = { c, r, before };
        this.input.value = replace ? (first || '') : before;
        this.lastTyped = this.input.value;
        this.input.hidden = false;
        this.placeInput();
        this.input.focus({ preventScroll: true });
        if (!replace) this.input.setSelectionRange(this.input.value.length, this.input.value.length);
        if (this.handlers.editStarted) this.handlers.editStarted(c, r);
        return true;
    }

    placeInput() {
        const { c, r } = this.editing;
        this.input.style.transform = `translate(${this.columnLeft(c)}px, ${r * this.rowHeight}px)`;
        this.input.style.width = this.columnWidth(c) + 'px';
    }

    // Keeps what can still become the cell's value; says why a keystroke was refused.
    onTyping() {
        if (!this.editing || !this.model.checkTyping) return;
        const problem = this.model.checkTyping(this.editing.c, this.editing.r, this.input.value);
        if (problem === null) {
            this.lastTyped = this.input.value;
            if (this.handlers.hint) this.handlers.hint('');
            return;
        }
        const at = Math.max(0, this.input.selectionStart - (this.input.value.length - this.lastTyped.length));
        this.input.value = this.lastTyped;
        this.input.setSelectionRange(at, at);
        if (problem && this.handlers.hint) this.handlers.hint(problem);
    }

    onMouse(e) {
        const cell = this.cellAt(e);
        if (!cell || e.button !== 0) return;
        if (e.target === this.input) return;
        e.preventDefault();
        this.root.focus({ preventScroll: true });
        if (cell.c === 0 || cell.r === 0) return;
        this.moveTo(cell, e.shiftKey);
        const drag = (ev) => {
            const over = this.cellAt(ev);
            if (over && over.c > 0 && over.r > 0 && !this.isCorner(over) && !this.editing && !this.busy &&
                (over.c !== this.cursor.c || over.r !== this.cursor.r)) {
                this.cursor = over;
                this.schedule();
            }
        };
        const up = () => { window.removeEventListener('mousemove', drag); window.removeEventListener('mouseup', up); };
        window.addEventListener('mousemove', drag);
        window.addEventListener('mouseup', up);
    }

    pageRows() { return Math.max(1, Math.floor(this.root.clientHeight / this.rowHeight) - 2); }

    onKey(e) {
        if (e.defaultPrevented) return;
        const { c, r } = this.cursor;
        const n = this.model.columns();
        const m = this.model.rows();
        const editing = !!this.editing;
        const move = (target) => { e.preventDefault(); this.moveTo(target, e.shiftKey && !editing); };
        if (e.ctrlKey || e.metaKey || e.altKey) {
            if (e.key === 'Home' && e.ctrlKey && !editing) move({ c: 1, r: 1 });
            else if (e.key === 'End' && e.ctrlKey && !editing) move({ c: n - 1, r: this.model.hasRim === false ? m - 1 : m - 2 });
            return;
        }
        switch (e.key) {
            case 'ArrowUp': if (!editing || true) move({ c, r: r - 1 }); return;
            case 'ArrowDown': move({ c, r: r + 1 }); return;
            case 'ArrowLeft': if (editing && this.input.selectionStart > 0) return; move({ c: c - 1, r }); return;
            case 'ArrowRight': if (editing && this.input.selectionEnd < this.input.value.length) return; move({ c: c + 1, r }); return;
            case 'Tab': {
                e.preventDefault();
                let target = e.shiftKey ? { c: c - 1, r } : { c: c + 1, r };
                if (target.c >= n) target = { c: 1, r: r + 1 };
                if (target.c < 1) target = { c: n - 1, r: r - 1 };
                if (this.isCorner(target)) target = e.shiftKey ? { c: n - 2, r: target.r } : { c: 1, r: 1 };
                this.moveTo(target, false);
                return;
            }
            case 'Home': if (editing) return; move({ c: 1, r }); return;
            case 'End': if (editing) return; move({ c: n - 1, r }); return;
            case 'PageDown': move({ c, r: Math.min(m - 1, r + this.pageRows()) }); return;
            case 'PageUp': move({ c, r: Math.max(1, r - this.pageRows()) }); return;
            case 'Enter':
                e.preventDefault();
                this.onEnter(e.shiftKey);
                return;
            case 'Escape':
                if (editing) { e.preventDefault(); e.stopPropagation(); this.cancelEdit(); }
                return;
            case 'F2':
                e.preventDefault();
                if (!editing) this.beginEdit(false);
                return;
            case 'Backspace':
                if (!editing && this.model.editable(c, r)) { e.preventDefault(); this.beginEdit(true, ''); }
                return;
            default:
                if (!editing && e.key.length === 1 && !this.busy) {
                    e.preventDefault();
                    if (this.beginEdit(true, '')) {
                        this.input.value = e.key;
                        this.onTyping();
                    }
                }
        }
    }

    // Enter takes the text, has the owner check the cell, then goes down a row.
    async onEnter(up) {
        if (this.busy) return;
        this.busy = true;
        let ok = true;
        try {
            if (this.editing) ok = await this.commit();
            if (ok && this.handlers.enter) ok = (await this.handlers.enter({ ...this.cursor })) !== false;
        } finally {
            this.busy = false;
        }
        this.schedule();
        if (!ok) return;
        const target = { c: this.cursor.c, r: this.cursor.r + (up ? -1 : 1) };
        if (target.r >= 1 && target.r < this.model.rows() && !this.isCorner(target)) this.moveTo(target, false);
    }
};
