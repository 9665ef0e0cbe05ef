// The shipped templates are built from the viewer's sources (viewer/): they
// must be exactly what the sources give, and the build must refuse sources
// whose markers the page writers would miss or misplace.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { lintTemplate, syncTemplates } from '../../viewer/build-templates.mjs';

test('every shipped template is what its sources give', () => {
  const messages = [];
  const differing = syncTemplates({ check: true, log: (m) => messages.push(m) });
  assert.deepEqual(differing, [], `${messages.join('\n')}\nRun "node viewer/build-templates.mjs".`);
});

const ENTRY = [
  '<script>',
  'var LastSlide = 0;',
  'var SlideExt = "GIF";',
  '  var BAR_PAGE = "navbtn0.htm";',
  '</script>',
  '<iframe src="navbtn0.htm"></iframe>',
  '<img src="img001.GIF">',
];
const BAR = [
  '<a href="/"><img src="T_BUTTON"></a>',
  '<button><img src="F_BUTTON"></button>',
  '<button><img src="P_BUTTON"></button>',
  '<button><img src="N_BUTTON"></button>',
  '<button><img src="L_BUTTON"></button>',
  '<SELECT id="vm-list">',
  '</SELECT>',
  '<button><img src="M_BUTTON"></button>',
  '<a href="DOWNLOAD_FILE" download><img src="D_BUTTON"></a>',
  '<a href="sld000.htm"><img src="S_BUTTON"></a>',
  '<script>setup(0,0);</script>',
];
const PLAYER = ['<head>', '<TITLE>Show</TITLE>', '<meta content="/img0/">', '</head>'];

// [what is wrong, kind, lines, the problem reported]
const BROKEN = [
  ['a third GIF', 'entry', [...ENTRY, '// GIFs'], /"GIF" on 3 lines, want 2/],
  ['GIF twice on a line', 'entry', ENTRY.map((l) => l.replace('img001.GIF', 'img001.GIF.GIF')), /"GIF" twice/],
  ['the slide count indented by a tab', 'entry', ENTRY.map((l) => l.replace('var L', '\tvar L')), /U\+9/],
  ['the slide count after other text', 'entry', ENTRY.map((l) => l.replace('var L', 'x; var L')), /must start its line/],
  ['no slide count', 'entry', ENTRY.filter((l) => !l.includes('LastSlide')), /"var LastSlide =" on 0 lines/],
  ['a bar marker in the entry page', 'entry', [...ENTRY, '<!-- (0,0) -->'], /"\(0,0\)" on 1 lines, want 0/],
  ['Japanese written as itself', 'entry', [...ENTRY, '<p>\u6B21</p>'], /U\+6B21/],
  ['a trailing blank', 'entry', [...ENTRY, '<p> '], /trailing blank/],
  ['a button twice', 'bar', [...BAR, '<img src="N_BUTTON">'], /"N_BUTTON" on 2 lines/],
  ['the player link over two lines', 'bar', BAR.map((l) => l.replace('"><img src="S', '">\n<img src="S')), /"sld000" must share its line/],
  ['the count beside the download link', 'bar', BAR.map((l) => l.replace('download>', 'download>(0,0)')), /"DOWNLOAD_FILE" must share its line/],
  ['the slide list end beside the player link', 'bar', BAR.map((l) => (l === '</SELECT>' ? '' : l.replace('</a>', '</a></SELECT>'))), /"sld000" must share its line/],
  ['the page name beside the player link', 'bar', BAR.map((l) => l.replace('S_BUTTON', 'S_BUTTON" data-x="navbtn0')), /"navbtn0" on 1 lines, want 0/],
  ['a title that does not start its line', 'player', PLAYER.map((l) => l.replace('<TITLE>', ' x <TITLE>')), /must start its line/],
  ['two show paths', 'player', [...PLAYER, '<a href="/img0/">'], /"\/img0\/" on 2 lines/],
];

test('the sources of a template that works pass', () => {
  for (const [kind, lines] of [['entry', ENTRY], ['bar', BAR], ['player', PLAYER]]) {
    assert.deepEqual(lintTemplate(kind, lines.join('\n')), [], kind);
  }
});

for (const [what, kind, lines, problem] of BROKEN) {
  test(`refused: ${what}`, () => {
    const problems = lintTemplate(kind, lines.join('\n'));
    assert.ok(problems.some((p) => problem.test(p)), `${problem} not among ${JSON.stringify(problems)}`);
  });
}
