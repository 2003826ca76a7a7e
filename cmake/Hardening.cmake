# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening, the flags `DEB_BUILD_MAINT_OPTIONS=hardening=+all
# dpkg-buildflags` gives on Debian 12: checked string and memory functions
# (fortify), stack protector, a read-only relocation table resolved at start
# (relro and now) and position-independent programs (PIE), which lintian asks of
# a Debian package. The deal loop's benchmark runs as fast with them as without.
# The sanitizer builds leave them out: the sanitizers check more, and fortify's
# checked functions hide calls from them. ELF only: MinGW's programs are no ELF.
option(TLCALC_HARDENING "Build with Debian's hardening flags" ON)
if(TLCALC_HARDENING AND NOT WIN32)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                        -Wdate-time)
    # Fortify needs the optimiser: it checks sizes the optimiser works out.
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
    # Position-independent programs, as Debian's compiler makes them by default
    # and any other is told here. Qt asks the code that uses it for -fPIC, which
    # comes later on the command line and wins; -fPIE holds for the rest.
    add_compile_options(-fPIE)
    add_link_options($<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>)
endif()
