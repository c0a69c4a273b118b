'use strict';
// The stepwise pause: the task and the plan before a stage, the plan editable, checked by the
// core as the desktop's stepwise window checks it. It ends with the next stage (F9), the rest
// of the run (Ctrl+F9), a stage back (Alt+Left) or an abort (Esc, after a question).
var Kg = window.Kg || (window.Kg = {});

Kg.Stepwise = class Stepwise {
    constructor(app) {
        this.app = app;
        this.dialog = document.getElementById('stepwise');
        this.host = this.dialog.querySelector('.step-grids');
        this.page = 2;
        this.dialog.addEventListener('cancel', (e) => { e.preventDefault(); this.decide('abort'); });
        this.dialog.addEventListener('keydown', (e) => this.onKey(e));
        for (const b of this.dialog.querySelectorAll('[data-step]')) b.addEventListener('click', () => this.decide(b.dataset.step));
        for (const b of this.dialog.querySelectorAll('[data-page]')) b.addEventListener('click', () => this.showPage(+b.dataset.page));
    }

    // Shows a pause; resolves with the run's outcome once the user has let the run go on.
    open(view, caption, send) {
        this.view = view;
        this.caption = caption;
        this.send = send;
        this.changed = false;
        this.host.replaceChildren();
        const cellOf = (c, r) => (r - 1) * view.n + (c - 1);
        const base = (texts) => ({
            columns: () => view.n + 2,
            rows: () => view.m + 2,
            text: (c, r) => {
                if (r === 0) return c === 0 ? '' : c <= view.n ? 'потребитель B' + c : 'Запасы груза';
                if (c === 0) return r <= view.m ? 'поставщик A' + r : 'Потребности';
                if (c === view.n + 1) return r <= view.m ? this.view.supplies[r - 1] : '';
                if (r === view.m + 1) return this.view.demands[c - 1];
                return texts()[cellOf(c, r)];
            },
            kind: (c, r) => {
                if (c === view.n + 1 && r === view.m + 1) return 'corner';
                if (c === view.n + 1 || r === view.m + 1) return 'rim';
                return this.view.flags[cellOf(c, r)].includes('c') ? 'closed' : 'body';
            },
            editable: () => false,
        });
        const tariffs = base(() => this.view.tariffs);
        const limits = base(() => this.view.limits);
        limits.style = (c, r) => (c <= view.n && r <= view.m ? 'limit' : '');
        const plan = base(() => this.view.plan);
        plan.editable = (c, r) => plan.kind(c, r) === 'body';
        plan.style = (c, r) => (c <= view.n && r <= view.m && this.view.flags[cellOf(c, r)].includes('b') ? 'basic' : '');
        plan.checkTyping = (c, r, text) => {
            const verdict = this.app.core.checkPlanTyping(text);
            if (verdict === 'complete' || verdict === 'partial') return null;
            return verdict === 'too-large' ? 'Число должно быть от -2147483648 до 2147483647' : '';
        };
        this.grids = [
            new Kg.GridView(this.host, tariffs, {}),
            new Kg.GridView(this.host, limits, {}),
            new Kg.GridView(this.host, plan, { commit: (c, r, text) => this.edit(c, r, text), hint: (t) => this.app.hint(t) }),
        ];
        this.dialog.querySelector('[data-page="1"]').hidden = !view.restricted;
        this.dialog.querySelector('[data-step="back"]').disabled = !view.backOffered;
        this.dialog.querySelector('[data-step="back"]').title = view.backOffered
            ? 'Нажмите  ALT+LEFT, чтобы вернуть таблицу перевозок, с которой начинался предыдущий этап'
            : 'На первом этапе возвращаться некуда';
        this.show();
        if (!this.dialog.open) this.dialog.showModal();
        this.showPage(2);
        if (!this.pending) this.pending = new Promise((resolve, reject) => { this.resolve = resolve; this.reject = reject; });
        return this.pending;
    }

    // The run ended without the user (the worker failed or was stopped).
    abandon() {
        if (this.dialog.open) this.dialog.close();
        this.app.closePicturesOfPause();
        this.pending = null;
    }

    show() {
        const v = this.view;
        document.getElementById('step-stage').textContent = v.stage;
        document.getElementById('step-back').textContent = v.stepsBack > 0
            ? `(возврат: план начала этапа ${v.stage > v.stepsBack ? v.stage - v.stepsBack : 1})` : '';
        document.getElementById('step-f0').textContent = v.initialCost;
        document.getElementById('step-f1').textContent = v.planChanged ? v.currentCost : '';
        document.getElementById('step-check').value = v.lines.join('\n');
        for (const g of this.grids) g.schedule();
    }

    showPage(page) {
        this.page = page;
        this.grids.forEach((g, k) => { g.root.hidden = k !== page; });
        for (const b of this.dialog.querySelectorAll('[data-page]')) b.classList.toggle('active', +b.dataset.page === page);
        this.grids[page].reload();
        this.grids[page].focus();
    }

    // Asks the worker; a worker that failed ends the run.
    async ask(message) {
        try {
            return await this.send(message);
        } catch (failure) {
            const reject = this.reject;
            this.abandon();
            if (reject) reject(failure);
            return null;
        }
    }

    // A plan cell typed into and left: the core takes it, cuts it or puts the old text back.
    async edit(c, r, text) {
        const answer = await this.ask({ op: 'edit', row: r - 1, column: c - 1, text });
        if (!answer) return false;
        this.view = answer.view;
        this.show();
        return answer.accepted;
    }

    async decide(what) {
        if (this.deciding) return;
        const plan = this.grids && this.grids[2];
        if (plan && !(await plan.commit())) return;
        if (what === 'picture') {
            const caption = `Этап ${this.view.stage}` + (this.view.stepsBack > 0 ? ' ' + document.getElementById('step-back').textContent : '');
            const answer = await this.ask({ op: 'picture', caption });
            if (answer) this.app.openPicture(answer.svg, caption, true);
            return;
        }
        if (what === 'back' && !this.view.backOffered) return;
        if (what === 'abort' && (await this.app.ask('Прервать выполнение?', ['Да', 'Нет'])) !== 'Да') return;
        const decision = { next: 0, end: 1, abort: 2, back: 3 }[what];
        this.deciding = true;
        try {
            const outcome = await this.ask({ op: 'decide', decision });
            if (!outcome) return;
            if (outcome.refused) {
                if (outcome.refusal) this.app.message(outcome.refusal);
                return;
            }
            this.app.closePicturesOfPause();
            if (outcome.paused) {
                this.open(outcome, this.caption, this.send);
                return;
            }
            this.dialog.close();
            this.pending = null;
            this.resolve(outcome);
        } finally {
            this.deciding = false;
        }
    }

    onKey(e) {
        if (e.key === 'F9' && e.ctrlKey) { e.preventDefault(); this.decide('end'); }
        else if (e.key === 'F9') { e.preventDefault(); this.decide('next'); }
        else if (e.key === 'ArrowLeft' && e.altKey) { e.preventDefault(); this.decide('back'); }
        else if ((e.key === 'g' || e.key === 'G' || e.key === 'п' || e.key === 'П') && e.ctrlKey) { e.preventDefault(); this.decide('picture'); }
        else if (e.key === 'Escape' && !(this.grids[2] && this.grids[2].editing)) { e.preventDefault(); this.decide('abort'); }
        e.stopPropagation();
    }
};
