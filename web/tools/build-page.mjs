// Writes the page, one self-contained file: the page's script bundled with uPlot and the
// engine module (its WebAssembly embedded), its style and uPlot's style, inline in the HTML.
//
//   node web/tools/build-page.mjs <velmora-corvane.mjs> <index.html>

import { build } from 'esbuild';
import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const web = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const [modulePath, outputPath] = process.argv.slice(2);
if (!modulePath || !outputPath) {
  console.error('usage: node web/tools/build-page.mjs <velmora-corvane.mjs> <index.html>');
  process.exit(2);
}

const bundle = await build({
  entryPoints: [path.join(web, 'page', 'main.js')],
  bundle: true,
  format: 'esm',
  minify: true,
  write: false,
  target: 'es2022',
  alias: { 'velmora-corvane': path.resolve(modulePath) },
  logLevel: 'warning',
  // The engine's script exports to CommonJS too when it finds a `module`, which no ES module has.
  logOverride: { 'commonjs-variable-in-esm': 'silent' },
});

// Inline text must not end its element early.
const inline = (text, tag) => text.replaceAll(`</${tag}`, `<\\/${tag}`);
const script = inline(bundle.outputFiles[0].text, 'script');
const style = inline(
  readFileSync(path.join(web, 'node_modules', 'uplot', 'dist', 'uPlot.min.css'), 'utf8') + '\n' +
    readFileSync(path.join(web, 'page', 'style.css'), 'utf8'),
  'style');

const template = readFileSync(path.join(web, 'page', 'index.html'), 'utf8');
for (const mark of ['<!-- style -->', '<!-- script -->'])
  if (!template.includes(mark)) throw new Error(`page/index.html has no ${mark}`);
const page = template
  .replace('<!-- style -->', () => `<style>\n${style}\n</style>`)
  .replace('<!-- script -->', () => `<script type="module">\n${script}\n</script>`);
writeFileSync(outputPath, page);
console.log(`${outputPath}: ${(page.length / 1024).toFixed(1)} KB`);
