// The shipped templates are built from the viewer's sources (viewer/): they
// must be exactly what the sources give, and the build must refuse sources
// whose markers the page writers would miss or misplace. The markers and
// their rules are read from the page writers' C++ tables.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { lintTemplate, markerRules, syncTemplates } from '../../viewer/build-templates.mjs';
import { readMarkerTables } from '../../viewer/marker-tables.mjs';

test('every shipped template is what its sources give', () => {
  const messages = [];
  const differing = syncTemplates({ check: true, log: (m) => messages.push(m) });
  assert.deepEqual(differing, [], `${messages.join('\n')}\nRun "node viewer/build-templates.mjs".`);
});

const ENTRY = [
  '<link rel="preload" as="image" href="img001.GIF">',
  '<script>',
  'var LastSlide = 0;',
  'var SlideExt = "GIF";',
  '  var BAR_PAGE = "navbtn0.htm";',
  '</script>',
  '<img src="img001.GIF" crossorigin="anonymous">',
  '<iframe src="navbtn0.htm"></iframe>',
  '<iframe src="navbtn0.htm#disk"></iframe>',
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
  ['a fifth GIF', 'entry', [...ENTRY, '// GIFs'], /"GIF" on 5 lines, want 4/],
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

// Page writers as the C++ source may spell them: literals, a named string, a
// named array, entries over several lines, markers in comments.
const WRITERS = `
PageResult make_index_html(Job& job, int show_no) {
  const std::string last_slide = "var LastSlide =";
  const MarkerTable markers = {
      {last_slide, whole_line(line_value)},  // {"OLD", replaced_by(x)}
      {"GIF", replaced_by(ascii("{"))},
  };
  return write_page(job, markers);
}
PageResult make_navbtn_html(Job& job, int show_no) {
  static const char* kButtons[] = {"T_BUTTON", "S_BUTTON"};
  for (std::size_t j = 1; j <= 2; ++j)
    markers.push_back({kButtons[j - 1], replaced_by(page_reference(codec, s.button_img[j]))});
  /* markers.push_back({"GONE", replaced_by(x)}); */
  markers.push_back(
      {"sld000",
       optional_line(player, ascii(slide_page_stem(show_no)))});
  markers.push_back({"</SELECT>", list_before([count](long j, std::u32string& line) {
                       line = U"<OPTION VALUE=\\"" + n;
                       return true;
                     })});
}
PageResult make_slide_html(Job& job, int show_no) {
  const MarkerTable markers = {{"<TITLE>", whole_line(U"<TITLE>" + title)}};
}`;

test('the marker tables are read from the page writers as written', () => {
  assert.deepEqual(readMarkerTables(WRITERS), {
    entry: [
      { text: 'var LastSlide =', rule: 'whole_line' },
      { text: 'GIF', rule: 'replaced_by' },
    ],
    bar: [
      { text: 'T_BUTTON', rule: 'replaced_by' },
      { text: 'S_BUTTON', rule: 'replaced_by' },
      { text: 'sld000', rule: 'optional_line' },
      { text: '</SELECT>', rule: 'list_before' },
    ],
    player: [{ text: '<TITLE>', rule: 'whole_line' }],
  });
});

// [what changed in the C++ source or the tables, the error]
const UNREADABLE = [
  ['a writer renamed', () => readMarkerTables(WRITERS.replace('make_slide_html', 'write_slide_page')), /make_slide_html not found/],
  ['a writer without markers', () => readMarkerTables(WRITERS.replace(/\{"<TITLE>", whole_line/, '{title, text')), /make_slide_html: no marker table/],
  ['a marker from elsewhere', () => readMarkerTables(WRITERS.replace('{last_slide,', '{kLastSlide,')), /kLastSlide is not a string named/],
  ['an optional line with no button beside it', () => markerRules({ bar: [{ text: 'X_FILE', rule: 'optional_line' }] }), /"X_FILE" may be emptied/],
  ['a marker the templates count gone', () => markerRules(readMarkerTables(WRITERS.replace('"GIF"', '"JPG"'))), /"GIF" is not a marker of the entry page/],
];

for (const [what, read, error] of UNREADABLE) {
  test(`the template build stops: ${what}`, () => {
    assert.throws(read, error);
  });
}
