package com.vantor.hostprobe.tests;

import com.vantor.kelda.KdInstance;
import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.Collection;
import java.util.List;
import java.util.Map;

/**
 * A native's answer as text, so answers of separate calls compare with equals: instances by
 * their class and properties, arrays, collections and maps element by element, the agent's own
 * objects field by field (sorted by name).
 */
final class Answers {
    private Answers() {}

    static String render(Object answer) {
        StringBuilder out = new StringBuilder();
        render(answer, out, 0);
        return out.toString();
    }

    private static void render(Object o, StringBuilder out, int depth) {
        if (depth > 12) {
            out.append("...");
        } else if (o == null) {
            out.append("null");
        } else if (o instanceof KdInstance) {
            KdInstance instance = (KdInstance) o;
            out.append(instance.getKdClass().getName());
            render(instance.asMap(), out, depth + 1);
        } else if (o instanceof Map) {
            out.append('{');
            for (Map.Entry<?, ?> e : ((Map<?, ?>) o).entrySet()) {
                render(e.getKey(), out, depth + 1);
                out.append('=');
                render(e.getValue(), out, depth + 1);
                out.append(", ");
            }
            out.append('}');
        } else if (o instanceof Collection) {
            renderElements(new ArrayList<>((Collection<?>) o), out, depth);
        } else if (o.getClass().isArray()) {
            List<Object> elements = new ArrayList<>();
            for (int i = 0; i < Array.getLength(o); i++) elements.add(Array.get(o, i));
            renderElements(elements, out, depth);
        } else if (o.getClass().getName().startsWith("java.")) {
            out.append(o);
        } else {
            out.append(o.getClass().getSimpleName()).append('(');
            List<Field> fields = new ArrayList<>();
            for (Class<?> c = o.getClass(); c != null && c != Object.class; c = c.getSuperclass()) {
                for (Field f : c.getDeclaredFields()) {
                    if (!Modifier.isStatic(f.getModifiers()) && !f.isSynthetic()) fields.add(f);
                }
            }
            fields.sort((a, b) -> a.getName().compareTo(b.getName()));
            for (Field f : fields) {
                f.setAccessible(true);
                out.append(f.getName()).append('=');
                try {
                    render(f.get(o), out, depth + 1);
                } catch (IllegalAccessException e) {
                    throw new IllegalStateException(e);
                }
                out.append(", ");
            }
            out.append(')');
        }
    }

    private static void renderElements(List<Object> elements, StringBuilder out, int depth) {
        out.append('[');
        for (Object element : elements) {
            render(element, out, depth + 1);
            out.append(", ");
        }
        out.append(']');
    }
}
