# The PipeWire kind of private_audio_server.sh (sourced by it): a PipeWire daemon with a null sink
# and a dummy driver that times it like a sound card, its pulse server on DIR/native, and
# WirePlumber to link streams to the sink, told to leave every real device alone.
# shellcheck shell=bash disable=SC2154 # dir: the folder private_audio_server.sh was given

# Runs a program of the server's in the background, in a clean environment that points at DIR;
# the PulseAudio kind starts its server with it too.
spawn() { # NAME PROGRAM [ARGS]
    local name=$1
    shift
    env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config" \
        XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data" XDG_CACHE_HOME="$dir/cache" \
        PIPEWIRE_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus" \
        "$@" </dev/null >>"$dir/$name.log" 2>&1 &
    echo $! >"$dir/$name.pid"
}

# The daemon: only what a null sink and linked client streams need.
write_pipewire_config() {
    cat >"$dir/pipewire.conf" <<'CONF'
context.properties = { core.daemon = true, core.name = pipewire-0, support.dbus = false }
context.spa-libs = { audio.convert.* = audioconvert/libspa-audioconvert, support.* = support/libspa-support }
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-client-device }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
    { name = libpipewire-module-access, flags = [ ifexists nofail ] }
    { name = libpipewire-module-session-manager, flags = [ ifexists nofail ] }
]
context.objects = [
    { factory = metadata, args = { metadata.name = default } }
    { factory = spa-node-factory, args = { factory.name = support.node.driver,
        node.name = Dummy-Driver, node.group = pipewire.dummy, priority.driver = 20000 } }
    { factory = adapter, args = { factory.name = support.null-audio-sink, node.name = "null",
        node.description = "null", media.class = Audio/Sink, audio.position = [ FL FR ],
        monitor.channel-volumes = true, priority.session = 2000 } }
]
CONF
    # The pulse server: a client of the daemon serving the pulse protocol on DIR/native.
    cat >"$dir/pipewire-pulse.conf" <<CONF
context.properties = { support.dbus = false }
context.spa-libs = { audio.convert.* = audioconvert/libspa-audioconvert, support.* = support/libspa-support }
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-protocol-pulse, args = { server.address = [ "unix:$dir/native" ] } }
]
CONF
}

# WirePlumber without its device monitors, in the forms of 0.4 (Lua, read in name order between
# the defaults and their enabling at 90) and 0.5 (profiles).
write_wireplumber_config() {
    local config="$dir/config/wireplumber"
    mkdir -p "$config/main.lua.d" "$config/bluetooth.lua.d" "$config/wireplumber.conf.d"
    cat >"$config/main.lua.d/60-private.lua" <<'CONF'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
default_access.properties["enable-flatpak-portal"] = false
CONF
    echo 'bluez_monitor.enabled = false' >"$config/bluetooth.lua.d/60-private.lua"
    cat >"$config/wireplumber.conf.d/99-private.conf" <<'CONF'
wireplumber.profiles = {
    main = {
        hardware.audio = disabled
        hardware.bluetooth = disabled
        hardware.video-capture = disabled
        support.dbus = disabled
        support.reserve-device = disabled
        support.portal-permissionstore = disabled
        support.logind = disabled
    }
}
CONF
}

start_pipewire() {
    write_pipewire_config
    write_wireplumber_config
    spawn pipewire pipewire -c "$dir/pipewire.conf"
    for _ in $(seq 100); do
        [[ -S "$dir/pipewire-0" ]] && break
        sleep 0.05
    done
    spawn wireplumber wireplumber
    spawn server pipewire -c "$dir/pipewire-pulse.conf"
}
