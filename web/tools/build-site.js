'use strict';
// Makes the site: the page's files as they are, the core's module as kargolo-core.js, and the
// help pages as one script (a page opened from disk cannot fetch files beside it).
// node build-site.js SITE_SOURCES HELP_PAGES CORE_JS OUT ICON
const fs = require('fs');
const path = require('path');

const [sources, helpFolder, core, out, icon] = process.argv.slice(2);
fs.mkdirSync(out, { recursive: true });
for (const name of fs.readdirSync(sources)) {
    fs.copyFileSync(path.join(sources, name), path.join(out, name));
}
fs.copyFileSync(core, path.join(out, 'kargolo-core.js'));
fs.copyFileSync(icon, path.join(out, 'kargolo.svg'));
const pages = {};
for (const name of fs.readdirSync(helpFolder).filter((n) => n.endsWith('.html')).sort()) {
    pages[name] = fs.readFileSync(path.join(helpFolder, name), 'utf8');
}
fs.writeFileSync(path.join(out, 'kargolo-help.js'),
    "'use strict';\n// The help pages.\nvar Kg = window.Kg || (window.Kg = {});\nKg.helpPages = " +
    JSON.stringify(pages, null, 0) + ';\n');
