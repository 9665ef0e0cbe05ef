#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run again: it asks apt only for what is missing.
#   scripts/install-deps.sh          everything (build, tests, benchmarks, browser tests)
#   scripts/install-deps.sh program  only what building and running the program needs
#   scripts/install-deps.sh package  what building the program and its Debian package needs
set -euo pipefail

program_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-pdf-dev qt6-image-formats-plugins qt6-translations-l10n
  fonts-ipafont-gothic
)

package_packages=(
  "${program_packages[@]}"
  dpkg-dev file lintian
)

packages=(
  # build
  cmake ninja-build g++ pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev time
  # the windows, and decks: PDF pages through Qt PDF, WebP through the image-format plugins
  qt6-base-dev qt6-tools-dev-tools qt6-translations-l10n qt6-svg-dev qt6-image-formats-plugins
  qt6-pdf-dev fonts-ipafont-gothic
  # office presentations made into PDFs (no window needed); pdftoppm, the
  # benchmarks' floor for rendering a PDF
  libreoffice-impress poppler-utils
  # fuzzing and sanitizers
  clang libclang-rt-14-dev
  # browser tests of the generated viewer (locales: the Japanese locale
  # sources the code-page tests compile their locales from)
  nodejs chromium locales
  # the Debian package, its manual pages, desktop entry and store metadata
  dpkg-dev file lintian man-db groff-base desktop-file-utils appstream
)
# Some Node.js builds bring npm with them; Debian's own npm would conflict with those.
command -v npm >/dev/null 2>&1 || packages+=(npm)

case "${1:-}" in
  program) packages=("${program_packages[@]}") ;;
  package) packages=("${package_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

# Node packages of the browser tests (playwright-core, no browser download):
# installed from the lock file when missing or older than it.
e2e="$(cd "$(dirname "$0")/.." && pwd)/tests/e2e"
if [[ -z "${1:-}" ]] &&
   [[ ! -f "$e2e/node_modules/.package-lock.json" ||
      "$e2e/package-lock.json" -nt "$e2e/node_modules/.package-lock.json" ]]; then
  echo "Installing the browser tests' Node packages"
  (cd "$e2e" && npm ci --no-audit --no-fund)
fi
