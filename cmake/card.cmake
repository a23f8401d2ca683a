# The card's layers, the same on every backend, lowest first; each sees only the folders it
# links (cmake/layers.cmake). The backends in src/platform/*/ are added by the build of each OS.

# Window toolkit: written once, the same on every backend.
frost_layer(frost_toolkit toolkit PRIVATE_LINKS frost_stb)
# What the card asks of the operating system (the backends in platform/*/ provide it), and the
# complete copy and resource lookup written once over it.
frost_header_layer(frost_platform platform LINKS frost_toolkit PRIVATE_LINKS frost_resources)

# The card's subsystems and, on top, the form that composes them.
frost_layer(frost_scene scene LINKS frost_toolkit)
frost_layer(frost_sound sound LINKS frost_toolkit frost_platform)
frost_layer(frost_personalise personalise LINKS frost_toolkit frost_platform)
frost_layer(frost_effects effects LINKS frost_scene frost_personalise)
frost_layer(frost_sequencer sequencer LINKS frost_scene frost_sound)
frost_layer(frost_startup startup
            LINKS frost_effects frost_sequencer frost_personalise frost_platform
            PRIVATE_LINKS frost_resources)
add_library(frost_card INTERFACE)
target_link_libraries(frost_card INTERFACE frost_startup)
