# The layers, bottom to top, and what each may use. Layer X is the folder
# src/X and the library vellumet_X (the app layer is the program itself). A
# layer links the layers it names here and includes headers only from itself
# and from them; nothing includes a layer above it.
#
# This file is the one dependency table: src/CMakeLists.txt links by it, and
# the layer_includes test (src/check_layers.cmake) holds every #include of
# src/, tests/, bench/ and fuzz/ to it. Data only, so a script can read it.
set(VELLUMET_LAYERS base job source generator commands deck cli ui app)
# The layers below the windows: no Qt Widgets and no display. base, job,
# source, generator and commands are standard C++20 and POSIX without Qt;
# deck links Qt Gui and Qt Pdf (images and PDF pages, no display needed), and
# so does cli, which uses it.
set(VELLUMET_CORE_LAYERS base job source generator commands deck cli)

set(VELLUMET_USES_base)                                    # code page, files, messages, numbers
set(VELLUMET_USES_job base)                                # job state, window values, dialog seam
set(VELLUMET_USES_source base job)                         # listing, slide-image names, detection, leftovers
set(VELLUMET_USES_generator base job source)               # markers, page writers, icon lists, buttons
set(VELLUMET_USES_commands base job source generator)      # Create HTML, start-up, options, clean-up, exit
set(VELLUMET_USES_deck base job source)                     # PDF and office decks made into show folders
set(VELLUMET_USES_cli base job source generator commands deck)  # the command line: the commands without a window
set(VELLUMET_USES_ui base job source commands deck)        # the Qt windows
set(VELLUMET_USES_app base cli ui)                         # main()

# Folders outside src/ and the one layer each links: they may include that
# layer and what it uses.
set(VELLUMET_CLIENTS
    tests/support=source
    tests/base=base
    tests/source=source
    tests/generator=generator
    tests/commands=commands
    tests/fault=commands
    tests/e2e=commands
    tests/ui=ui
    tests/cli=cli
    tests/deck=deck
    bench=cli
    fuzz=generator)
